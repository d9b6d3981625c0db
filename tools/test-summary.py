"""Adds up a test run: GoogleTest cases where a test executable left its XML
report, the CTest test itself where it did not (scripts, or an executable that
crashed before writing). Prints "N passed, N failed"; exit code 1 on failures."""
import os
import sys
import xml.etree.ElementTree as ET


def gtest_counts(path):
    cases = ET.parse(path).getroot().iter("testcase")
    passed = failed = 0
    for case in cases:
        if case.get("status") == "notrun":
            continue
        if case.find("failure") is not None:
            failed += 1
        else:
            passed += 1
    return passed, failed


def main(dirs):
    passed = failed = 0
    for d in dirs:
        ctest_xml = os.path.join(d, "ctest.xml")
        if not os.path.exists(ctest_xml):
            print(f"no results in {d}")
            failed += 1
            continue
        for case in ET.parse(ctest_xml).getroot().iter("testcase"):
            name = case.get("name")
            ok = case.get("status") == "run" and case.find("failure") is None
            report = os.path.join(d, name + ".xml")
            if os.path.exists(report):
                p, f = gtest_counts(report)
                passed += p
                failed += f
                if not ok and f == 0:
                    failed += 1  # passed its cases, then crashed or timed out
            elif ok:
                passed += 1
            else:
                failed += 1
    print(f"{passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
