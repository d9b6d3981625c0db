#pragma once
// The record a deployment tool detects an installation by: one key a queue
// under HKEY_LOCAL_MACHINE "SOFTWARE\DARVOLT\Printer\Installed", written
// once the queue appeared.
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace velmo {

constexpr char kInstalledKey[] = "SOFTWARE\\DARVOLT\\Printer\\Installed";

using RecordValues = std::vector<std::pair<std::string, std::string>>;

// The key of `queue`; nothing for a name that would name another key (a
// backslash) or none.
std::optional<std::string> InstallRecordKey(const std::string& queue);

// "Model", "Port", "Address" (the IPv4 address, or "USB"), "Version" and
// "Time" (local, "2026-12-10 10:54:15").
RecordValues InstallRecord(const std::string& model, const std::string& port, const std::string& address,
                           const std::string& version, const std::string& time);

}  // namespace velmo
