#include "installer_state.h"

namespace velmo {

int UsbInstallEnabled = 0;
int DriverInstallEnabled = 0;
int ExitCode = 0;

TextList BrandWords;
TextList UsbDeviceIds;
TextList UsbDeviceNames;

}  // namespace velmo
