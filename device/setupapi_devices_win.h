#pragma once
// The present devices of the USB device interface class, through SetupAPI.
#include "device_enumeration.h"

namespace velmo {

DeviceEnumeration& SetupApiDevices();

}  // namespace velmo
