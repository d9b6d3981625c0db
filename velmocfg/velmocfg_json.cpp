#include "velmocfg_json.h"

#include "ansi_codec.h"

namespace velmo {

std::string JsonString(std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  const bool utf8 = IsUtf8(text);
  std::string json = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      json += '\\';
      json += c;
    } else if (c == '\n') {
      json += "\\n";
    } else if (c == '\r') {
      json += "\\r";
    } else if (c == '\t') {
      json += "\\t";
    } else if (byte < 0x20 || byte == 0x7F || (byte >= 0x80 && !utf8)) {
      json += "\\u00";
      json += kHex[byte >> 4];
      json += kHex[byte & 0xF];
    } else {
      json += c;
    }
  }
  return json + "\"";
}

std::string JsonArray(const std::vector<std::string>& items) {
  std::string json = "[";
  for (size_t i = 0; i < items.size(); ++i) json += (i ? "," : "") + items[i];
  return json + "]";
}

std::string JsonStrings(const std::vector<std::string>& texts) {
  std::vector<std::string> items;
  for (const std::string& text : texts) items.push_back(JsonString(text));
  return JsonArray(items);
}

JsonObject& JsonObject::Raw(std::string_view name, std::string_view json) {
  if (!fields_.empty()) fields_ += ",";
  fields_ += JsonString(name) + ":" + std::string(json);
  return *this;
}

JsonObject& JsonObject::Append(const JsonObject& other) {
  if (!fields_.empty() && !other.fields_.empty()) fields_ += ",";
  fields_ += other.fields_;
  return *this;
}

}  // namespace velmo
