#pragma once
// Who the installer runs as, and what that means for the steps that need
// administrator rights and for the default printer.
#include <string_view>

namespace velmo {

enum class RightsPlan {
  RunHere,                // elevated: every step runs in this process
  ThroughElevatedHelper,  // the window, without rights: one elevated helper runs them, after one prompt
  Refuse,                 // a silent run without rights: nobody could answer a prompt
};

RightsPlan PlanRights(bool silent, bool elevated);

// The local system and the two service accounts (S-1-5-18, -19, -20): an
// account without a user's profile of its own, whose default printer is
// nobody's.
bool IsServiceAccount(std::string_view sid);

}  // namespace velmo
