#include "core/settings/options.h"
#include "win32/app/win32_dialogs.h"
#include "win32/app/property_sheet.h"
#include "win32/settings/bound_page.h"

namespace peekbar::win32 {

// The options sheet: the behaviour flags on its first page, the edge
// lengths, the timing and the button a show waits for on its second.
std::optional<Settings> Win32Dialogs::EditOptions(const Settings& current) {
  Settings options = current;
  BoundSheetPage flags(OptionsFlagsPage(), options);
  BoundSheetPage numbers(OptionsNumbersPage(), options);
  const SheetPageDef pages[] = {flags.Def(), numbers.Def()};
  if (!RunPropertySheet(Instance(), Owner(), {.caption = u"オプション", .pages = pages, .okOnly = true})) {
    return std::nullopt;
  }
  return options;
}

}  // namespace peekbar::win32
