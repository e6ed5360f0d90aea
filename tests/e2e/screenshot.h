// Pictures of the desktop for a person to look at later.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// The screen's pixels in `r`, row by row from the top, as 0x00RRGGBB.
std::vector<DWORD> ScreenPixels(const RECT& r);

// Saves the whole screen as "<name>.bmp" in the --shots folder. Does
// nothing (and returns true) when the driver was given no such folder.
bool SaveScreenshot(const std::wstring& name);

}  // namespace e2e
