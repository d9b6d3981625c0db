#include "install_record.h"

namespace velmo {

std::optional<std::string> InstallRecordKey(const std::string& queue) {
  if (queue.empty() || queue.find('\\') != std::string::npos) return std::nullopt;
  return std::string(kInstalledKey) + "\\" + queue;
}

RecordValues InstallRecord(const std::string& model, const std::string& port, const std::string& address,
                           const std::string& version, const std::string& time) {
  return {{"Model", model}, {"Port", port}, {"Address", address}, {"Version", version}, {"Time", time}};
}

}  // namespace velmo
