#pragma once
// velmocheck's run over the world it needs, behind CheckHost: the files,
// the spooler's paper forms and the two output streams.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmo {

struct FormSize {
  int32_t widthThousandths = 0, heightThousandths = 0;
};

class CheckHost {
 public:
  virtual ~CheckHost() = default;
  [[nodiscard]] virtual bool ReadFile(const std::string& path, std::vector<uint8_t>& bytes) = 0;
  [[nodiscard]] virtual bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) = 0;
  // The size of the spooler's paper form `name`; nothing when there is none.
  virtual std::optional<FormSize> PaperForm(const std::string& name) = 0;
  virtual void Out(std::string_view text) = 0;
  virtual void Err(std::string_view text) = 0;
};

// Exit codes.
inline constexpr int kCheckAllReadable = 0;
inline constexpr int kCheckSomeUnreadable = 1;
inline constexpr int kCheckBadInput = 2;
inline constexpr int kCheckNoBarcode = 3;

// `arguments` without the program's name, UTF-8. Returns the exit code.
int RunVelmocheck(const std::vector<std::string>& arguments, CheckHost& host);

}  // namespace velmo
