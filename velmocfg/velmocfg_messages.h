#pragma once
// velmocfg's wording of what the settings engine reports.
#include <string>

#include "printer_apply.h"
#include "printer_profile.h"

namespace velmo {

// "PRINT_MODE is out of range (0 to 2)", without the line.
std::string ProblemText(const ProfileError& error);
// Why an application got no answer: "writing AUTO_FEED", "waiting for the restart".
std::string StepText(ApplyStep step, const std::string& request);
// "Bluetooth" for BT_ENABLED's group.
std::string GroupName(std::string_view presence_key);

}  // namespace velmo
