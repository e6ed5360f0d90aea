#include "win32/settings/options_sheet.h"

#include "win32/app/property_sheet.h"
#include "win32/settings/bound_page.h"
#include "core/settings/options.h"

namespace peekbar::win32 {

bool RunOptionsSheet(HINSTANCE instance, HWND owner, Settings& options) {
  BoundSheetPage flags(OptionsFlagsPage(), options);
  BoundSheetPage numbers(OptionsNumbersPage(), options);
  const SheetPageDef pages[] = {flags.Def(), numbers.Def()};
  return RunPropertySheet(instance, owner, {.caption = u"オプション", .pages = pages, .okOnly = true});
}

}  // namespace peekbar::win32
