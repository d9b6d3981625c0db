#include "installer_state.h"

namespace velmo {

int UsbInstallEnabled = 0;
int DriverInstallEnabled = 0;
int ExitCode = 0;

std::vector<std::string> PendingLanguageRecords;
TextList BrandWords;
TextList UsbDeviceIds;
TextList UsbDeviceNames;

}  // namespace velmo
