#pragma once
// Just enough JSON for velmocfg's reports: objects built field by field.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velmo {

// A JSON string; bytes that are not UTF-8 are taken as Latin-1.
std::string JsonString(std::string_view text);
std::string JsonStrings(const std::vector<std::string>& texts);
std::string JsonArray(const std::vector<std::string>& items);  // items already JSON

class JsonObject {
 public:
  JsonObject& Raw(std::string_view name, std::string_view json);
  JsonObject& String(std::string_view name, std::string_view text) { return Raw(name, JsonString(text)); }
  JsonObject& Number(std::string_view name, int64_t number) { return Raw(name, std::to_string(number)); }
  JsonObject& Bool(std::string_view name, bool value) { return Raw(name, value ? "true" : "false"); }
  JsonObject& Strings(std::string_view name, const std::vector<std::string>& texts) {
    return Raw(name, JsonStrings(texts));
  }
  JsonObject& Append(const JsonObject& other);  // the other's fields after these
  std::string Text() const { return "{" + fields_ + "}"; }

 private:
  std::string fields_;
};

}  // namespace velmo
