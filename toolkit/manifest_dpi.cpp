#include "manifest_dpi.h"

namespace toolkit {

namespace {

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// The text of the first element named `name` (with or without a prefix),
// or nothing when there is none or it is not closed.
std::string_view ElementText(std::string_view xml, std::string_view name) {
  for (size_t at = xml.find('<'); at != std::string_view::npos; at = xml.find('<', at + 1)) {
    size_t tag = at + 1;
    const size_t end_of_name = xml.find_first_of(" \t\r\n/>", tag);
    if (end_of_name == std::string_view::npos) return {};
    std::string_view full = xml.substr(tag, end_of_name - tag);
    if (const size_t colon = full.find(':'); colon != std::string_view::npos) full.remove_prefix(colon + 1);
    if (full != name) continue;
    const size_t open_end = xml.find('>', end_of_name);
    if (open_end == std::string_view::npos || xml[open_end - 1] == '/') return {};
    const size_t close = xml.find("</", open_end);
    if (close == std::string_view::npos) return {};
    return Trimmed(xml.substr(open_end + 1, close - open_end - 1));
  }
  return {};
}

}  // namespace

DpiDeclaration ReadDpiDeclaration(std::string_view manifest) {
  DpiDeclaration declared;
  declared.DpiAware = std::string(ElementText(manifest, "dpiAware"));
  std::string_view list = ElementText(manifest, "dpiAwareness");
  while (!list.empty()) {
    const size_t comma = list.find(',');
    const std::string_view entry = Trimmed(list.substr(0, comma));
    if (!entry.empty()) declared.DpiAwareness.emplace_back(entry);
    if (comma == std::string_view::npos) break;
    list.remove_prefix(comma + 1);
  }
  return declared;
}

}  // namespace toolkit
