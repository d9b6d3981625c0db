#include "forms_database.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <sstream>

namespace velmo {

namespace {

bool SameName(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  });
}

// A name the text form can hold: no field or line separator in it.
bool StorableName(std::string_view name) {
  return !name.empty() && name.find_first_of("\t\r\n") == std::string_view::npos;
}

// The first form named `name`, in a const or a changeable list.
template <class Forms>
auto Locate(Forms& forms, std::string_view name) {
  return std::find_if(forms.begin(), forms.end(), [name](const PaperForm& f) { return SameName(f.Name, name); });
}

constexpr std::array<std::string_view, 3> kFlagWords = {"user", "builtin", "printer"};  // by flag value

std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  for (size_t start = 0;;) {
    const size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab - start));
    if (tab == std::string_view::npos) return fields;
    start = tab + 1;
  }
}

bool ReadLength(std::string_view field, int32_t& value) {
  const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
  return error == std::errc() && end == field.data() + field.size();
}

bool ReadForm(const std::vector<std::string_view>& fields, PaperForm& form, std::string& error) {
  if (fields.size() != 9) {
    error = "a form has 8 fields";
    return false;
  }
  const auto flag = std::find(kFlagWords.begin(), kFlagWords.end(), fields[1]);
  if (flag == kFlagWords.end()) {
    error = "unknown form kind '" + std::string(fields[1]) + "'";
    return false;
  }
  form.Flags = static_cast<uint32_t>(flag - kFlagWords.begin());
  form.Name = fields[2];
  int32_t* const lengths[] = {&form.Width, &form.Height, &form.Left, &form.Top, &form.Right, &form.Bottom};
  for (size_t i = 0; i < std::size(lengths); ++i) {
    if (!ReadLength(fields[3 + i], *lengths[i])) {
      error = "'" + std::string(fields[3 + i]) + "' is not a length";
      return false;
    }
  }
  if (form.Name.empty()) error = "a form without a name";
  return error.empty();
}

}  // namespace

const PaperForm* FormsDatabase::Find(std::string_view name) const {
  const auto it = Locate(forms, name);
  return it == forms.end() ? nullptr : &*it;
}

bool FormsDatabase::Add(const PaperForm& form) {
  if (!StorableName(form.Name) || Find(form.Name)) return false;
  forms.push_back(form);
  return true;
}

bool FormsDatabase::Set(std::string_view name, const PaperForm& form) {
  const auto stored = Locate(forms, name);
  if (stored == forms.end() || stored->Flags == kFormBuiltin) return false;
  const std::string kept_name = stored->Name;
  *stored = form;
  stored->Name = kept_name;
  return true;
}

bool FormsDatabase::Delete(std::string_view name) {
  const auto stored = Locate(forms, name);
  if (stored == forms.end() || stored->Flags == kFormBuiltin) return false;
  forms.erase(stored);
  return true;
}

void FormsDatabase::AddBuiltins(int count) {
  for (int i = 1; i <= count; ++i)
    forms.push_back({.Flags = kFormBuiltin, .Name = "Builtin " + std::to_string(i), .Width = 210000,
                     .Height = 297000, .Right = 210000, .Bottom = 297000});
}

std::string FormsDatabaseText(const FormsDatabase& database) {
  std::ostringstream text;
  for (const std::string& printer : database.printers) text << "printer\t" << printer << '\n';
  for (const PaperForm& f : database.forms) {
    const std::string_view kind = f.Flags < kFlagWords.size() ? kFlagWords[f.Flags] : kFlagWords[kFormUser];
    text << "form\t" << kind << '\t' << f.Name << '\t' << f.Width << '\t' << f.Height << '\t' << f.Left << '\t'
         << f.Top << '\t' << f.Right << '\t' << f.Bottom << '\n';
  }
  return text.str();
}

std::optional<FormsDatabase> ParseFormsDatabase(std::string_view text, std::string& error) {
  FormsDatabase database;
  database.printers.clear();
  int number = 0;
  for (size_t start = 0; start < text.size();) {
    const size_t end = std::min(text.find('\n', start), text.size());
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    ++number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == '#') continue;
    const std::vector<std::string_view> fields = Fields(line);
    std::string reason;
    if (fields[0] == "printer" && fields.size() == 2 && !fields[1].empty()) {
      database.printers.emplace(fields[1]);
    } else if (fields[0] == "form") {
      PaperForm form;
      if (ReadForm(fields, form, reason) && !database.Add(form)) reason = "the form '" + form.Name + "' twice";
    } else {
      reason = "neither a printer nor a form";
    }
    if (!reason.empty()) {
      error = "line " + std::to_string(number) + ": " + reason;
      return std::nullopt;
    }
  }
  return database;
}

}  // namespace velmo
