// Property sheets of the program: the sheet's own dialog template adapted to
// the pages it holds.
#pragma once

#include <windows.h>

namespace peekbar::win32 {

// For a sheet callback's PSCB_PRECREATE, with the template it receives: the
// sheet is centred like the program's other dialogs and set in the point
// size of page template `pageTemplateId`. The sheet is sized from its pages'
// dialog units measured in its own font, so with a smaller font than the
// pages' it would cut them off.
void FitSheetTemplateToPages(LPARAM sheetTemplate, HINSTANCE instance, int pageTemplateId);

}  // namespace peekbar::win32
