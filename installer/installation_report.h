#pragma once
// What the user is told when an installation left no printer.
#include <string>

#include "installation.h"

namespace velmo {

struct NotInstalledMessage {
  std::wstring text;
  std::wstring title;
};

// "The printer was not installed" and the step that failed, in the
// program's language.
NotInstalledMessage NotInstalledMessageFor(InstallationStep failedStep, bool english);

}  // namespace velmo
