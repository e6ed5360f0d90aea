// The dots per inch of monitors and of the system, and metrics at a DPI.
// The calls that tell monitors apart came with Windows 8.1 and 10: they are
// looked up when first needed, and where they are missing every monitor has
// the system's DPI, as the program then sees every monitor in it.
#pragma once

#include <windows.h>

namespace peekbar::win32 {

UINT SystemDpi();
// The monitor's effective DPI (its scaling); the system's where it cannot be read.
UINT MonitorDpi(HMONITOR monitor);
// GetSystemMetrics at that DPI; scaled from the system's DPI where the
// system offers no such call.
int SystemMetricForDpi(int index, UINT dpi);
// A font chosen at the system's DPI, at another: its height in proportion.
LOGFONTW FontForDpi(LOGFONTW font, UINT dpi);

}  // namespace peekbar::win32
