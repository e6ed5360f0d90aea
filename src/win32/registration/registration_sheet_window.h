// The registration sheet's property sheet: five pages of locations, their
// controls filled from and read back into the core's sheet.
#pragma once

#include <windows.h>

#include "core/registration/registration_sheet.h"

namespace peekbar::win32 {

// Runs the sheet modally, owned by `owner`; returns when it is closed,
// however it was closed.
void RunRegistrationSheet(HINSTANCE instance, HWND owner, RegistrationSheet& sheet);

}  // namespace peekbar::win32
