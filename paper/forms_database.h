#pragma once
// A forms database kept in memory with the spooler's rules: names compare
// without case, built-in forms are neither changed nor deleted, a name is
// added once. The stand-ins of the spooler (the tests' fake and the
// development build's forms file) keep their forms in one.
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "spooler_forms.h"

namespace velmo {

struct FormsDatabase {
  std::vector<PaperForm> forms;  // in the spooler's order, built-in ones first
  std::set<std::string> printers{"Velmo LT42"};

  const PaperForm* Find(std::string_view name) const;
  [[nodiscard]] bool Add(const PaperForm& form);
  // Stores `form` under the existing form `name`, which keeps its name.
  [[nodiscard]] bool Set(std::string_view name, const PaperForm& form);
  [[nodiscard]] bool Delete(std::string_view name);
  // Adds `count` built-in forms, as the spooler lists them first.
  void AddBuiltins(int count);
};

// The database as text, one record a line, fields separated by tabs:
//   printer <name>
//   form    builtin|user|printer <name> <width> <height> <left> <top> <right> <bottom>
// Blank lines and lines starting with '#' are comments.
std::string FormsDatabaseText(const FormsDatabase& database);
// Nothing, with the first bad line's number and reason in `error`, when the
// text is not a database.
std::optional<FormsDatabase> ParseFormsDatabase(std::string_view text, std::string& error);

}  // namespace velmo
