#pragma once
// What the user is told when an installation left no printer, and the
// program's exit code after an installation.
#include <string>

#include "installation.h"

namespace velmo {

// The exit code of a run whose installation left no printer queue; a
// printer installed, like a window closed without installing, gives 0.
constexpr int kNotInstalledExitCode = 1;

int InstallationExitCode(const InstallationResult& result);

struct NotInstalledMessage {
  std::wstring text;
  std::wstring title;
};

// "The printer was not installed" and the step that failed, in the
// program's language.
NotInstalledMessage NotInstalledMessageFor(InstallationStep failedStep, bool english);

}  // namespace velmo
