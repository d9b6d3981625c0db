// The DPI awareness that an application manifest declares: the texts of its
// <dpiAware> and <dpiAwareness> elements, whatever namespace prefix they
// carry. Read from the manifest's XML text; empty where an element is missing.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace toolkit {

struct DpiDeclaration {
  std::string DpiAware;                   // "true/pm", as written
  std::vector<std::string> DpiAwareness;  // the comma-separated list, in order, trimmed
};

DpiDeclaration ReadDpiDeclaration(std::string_view manifest);

}  // namespace toolkit
