#include "rights.h"

namespace velmo {

RightsPlan PlanRights(bool silent, bool elevated) {
  if (elevated) return RightsPlan::RunHere;
  return silent ? RightsPlan::Refuse : RightsPlan::ThroughElevatedHelper;
}

bool IsServiceAccount(std::string_view sid) {
  return sid == "S-1-5-18" || sid == "S-1-5-19" || sid == "S-1-5-20";
}

}  // namespace velmo
