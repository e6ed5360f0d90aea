// Pictures of the desktop for a person to look at later.
#pragma once

#include <string>

namespace e2e {

// Saves the whole screen as "<name>.bmp" in the --shots folder. Does
// nothing (and returns true) when the driver was given no such folder.
bool SaveScreenshot(const std::wstring& name);

}  // namespace e2e
