// The spooler's rules of the forms stand-ins, the text form of a database
// and the development build's forms file.
#include "forms_database.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "file_spooler_forms.h"

namespace velmo {
namespace {

namespace fs = std::filesystem;

PaperForm Form(const std::string& name, int32_t width, int32_t height, uint32_t flags = kFormUser) {
  return {.Flags = flags, .Name = name, .Width = width, .Height = height, .Left = 1000, .Top = 500,
          .Right = width - 1000, .Bottom = height - 500};
}

TEST(FormsDatabase, KeepsTheSpoolersRules) {
  FormsDatabase db;
  db.AddBuiltins(2);
  ASSERT_TRUE(db.Add(Form("Label", 40000, 30000)));
  EXPECT_FALSE(db.Add(Form("LABEL", 50000, 30000))) << "names compare without case";
  EXPECT_FALSE(db.Add(Form("", 50000, 30000)));
  EXPECT_FALSE(db.Add(Form("Tab\tName", 50000, 30000))) << "a name the file cannot hold";
  EXPECT_FALSE(db.Set("Builtin 1", Form("Builtin 1", 1, 1)));
  EXPECT_FALSE(db.Delete("Builtin 2"));
  EXPECT_FALSE(db.Set("Missing", Form("Missing", 1, 1)));

  ASSERT_TRUE(db.Set("label", Form("Renamed", 70000, 50000)));
  ASSERT_NE(db.Find("Label"), nullptr) << "a change keeps the stored name";
  EXPECT_EQ(db.Find("Label")->Width, 70000);
  EXPECT_EQ(db.Find("Renamed"), nullptr);
  ASSERT_TRUE(db.Delete("LABEL"));
  EXPECT_EQ(db.forms.size(), 2u);
}

TEST(FormsDatabase, TextRoundTripsEveryKindOfForm) {
  FormsDatabase db;
  db.printers = {"Velmo LT42", "Velmo LT42 (Copy 1)"};
  ASSERT_TRUE(db.Add(Form("A4", 210000, 297000, kFormBuiltin)));
  ASSERT_TRUE(db.Add(Form("Label 40x30", 40000, 30000)));
  ASSERT_TRUE(db.Add(Form("Receipt", 80000, 200000, kFormPrinter)));
  PaperForm odd = Form("Odd", 12250, 4);
  odd.Left = -5;
  ASSERT_TRUE(db.Add(odd));
  std::string error;
  const auto back = ParseFormsDatabase(FormsDatabaseText(db), error);
  ASSERT_TRUE(back) << error;
  EXPECT_EQ(back->printers, db.printers);
  EXPECT_EQ(back->forms, db.forms);
}

TEST(FormsDatabase, ParsingNamesTheFirstBadLine) {
  std::string error;
  const auto ok = ParseFormsDatabase("# comment\r\n\r\nprinter\tP\r\nform\tuser\tA\t1\t2\t0\t0\t1\t2\r\n", error);
  ASSERT_TRUE(ok) << error;
  EXPECT_EQ(ok->forms.size(), 1u);
  EXPECT_EQ(ok->forms[0].Name, "A") << "carriage returns are not part of a field";

  const std::pair<const char*, const char*> bad[] = {
      {"printer\tP\nform\tcustom\tA\t1\t2\t0\t0\t1\t2\n", "line 2: unknown form kind 'custom'"},
      {"form\tuser\tA\t1\t2\t0\t0\t1\n", "line 1: a form has 8 fields"},
      {"form\tuser\tA\t1\t2x\t0\t0\t1\t2\n", "line 1: '2x' is not a length"},
      {"form\tuser\tA\t99999999999\t2\t0\t0\t1\t2\n", "line 1: '99999999999' is not a length"},
      {"form\tuser\t\t1\t2\t0\t0\t1\t2\n", "line 1: a form without a name"},
      {"form\tuser\tA\t1\t2\t0\t0\t1\t2\nform\tuser\ta\t1\t2\t0\t0\t1\t2\n", "line 2: the form 'a' twice"},
      {"\npaper\tA\n", "line 2: neither a printer nor a form"},
      {"printer\n", "line 1: neither a printer nor a form"},
  };
  for (const auto& [text, reason] : bad) {
    error.clear();
    EXPECT_FALSE(ParseFormsDatabase(text, error)) << text;
    EXPECT_EQ(error, reason);
  }
}

TEST(FormsDatabase, TheDemosFileServesItsPrinterWithUserFormsAfterTheBuiltIns) {
  std::ifstream file(DEMO_FORMS_FILE, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  std::string error;
  const auto db = ParseFormsDatabase(text.str(), error);
  ASSERT_TRUE(db) << error;
  EXPECT_TRUE(db->printers.count("Velmo LT42"));
  ASSERT_GE(db->forms.size(), 8u);
  EXPECT_EQ(db->forms[4].Name, "Label 40x30") << "form 5, the driver page's current paper";
  int listed = 0;
  for (const PaperForm& form : db->forms) listed += form.Flags != kFormBuiltin;
  EXPECT_GE(listed, 3) << "several papers to list";
}

class FormsFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("velmo_forms_" + std::to_string(getpid()) + "_" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
    path_ = (dir_ / "forms.txt").string();
    Write("printer\tVelmo LT42\nform\tbuiltin\tA4\t210000\t297000\t0\t0\t210000\t297000\n"
          "form\tuser\tLabel\t40000\t30000\t2000\t1000\t38000\t29000\n");
  }
  void TearDown() override { fs::remove_all(dir_); }
  void Write(const std::string& text) const { std::ofstream(path_, std::ios::binary) << text; }
  std::string Read() const {
    std::ifstream file(path_, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
  }

  fs::path dir_;
  std::string path_;
};

TEST_F(FormsFile, OpensOnlyAReadableDatabaseThatListsThePrinter) {
  FileSpoolerForms spooler(path_);
  auto printer = spooler.Open("Velmo LT42");
  ASSERT_TRUE(printer);
  ASSERT_EQ(printer->Enum().size(), 2u);
  EXPECT_EQ(printer->Get("label")->Right, 38000);
  EXPECT_FALSE(printer->Get("Missing"));
  EXPECT_FALSE(spooler.Open("Other Printer"));
  EXPECT_FALSE(FileSpoolerForms((dir_ / "missing.txt").string()).Open("Velmo LT42"));
  Write("printer\tVelmo LT42\nform\tuser\tLabel\tforty\t30000\t0\t0\t1\t1\n");
  EXPECT_FALSE(spooler.Open("Velmo LT42")) << "a broken file is not an empty database";
}

TEST_F(FormsFile, ChangesReachTheFileAndTheNextOpen) {
  FileSpoolerForms spooler(path_);
  {
    auto printer = spooler.Open("Velmo LT42");
    ASSERT_TRUE(printer->Add(Form("New", 50000, 40000)));
    ASSERT_TRUE(printer->Set("Label", Form("Label", 45000, 30000)));
    EXPECT_EQ(printer->Enum().size(), 3u) << "the open printer sees its own changes";
  }
  auto again = FileSpoolerForms(path_).Open("Velmo LT42");
  ASSERT_TRUE(again);
  EXPECT_EQ(again->Get("New"), Form("New", 50000, 40000));
  EXPECT_EQ(again->Get("Label")->Width, 45000);
  ASSERT_TRUE(again->Delete("New"));
  EXPECT_FALSE(spooler.Open("Velmo LT42")->Get("New"));
}

TEST_F(FormsFile, RefusedChangesLeaveFileAndMemoryAsTheyWere) {
  FileSpoolerForms spooler(path_);
  auto printer = spooler.Open("Velmo LT42");
  const std::string before = Read();
  EXPECT_FALSE(printer->Add(Form("label", 1000, 1000)));
  EXPECT_FALSE(printer->Delete("A4"));
  EXPECT_FALSE(printer->Set("A4", Form("A4", 1, 1)));
  EXPECT_EQ(Read(), before) << "nothing written for a refused change";

  fs::remove_all(dir_);  // the file cannot be written any more
  EXPECT_FALSE(printer->Add(Form("Lost", 1000, 1000)));
  EXPECT_FALSE(printer->Get("Lost")) << "a change the file did not take is not kept";
  EXPECT_EQ(printer->Enum().size(), 2u);
}

}  // namespace
}  // namespace velmo
