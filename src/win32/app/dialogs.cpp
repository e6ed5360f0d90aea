#include "win32/app/dialogs.h"

#include <commdlg.h>

#include "win32/app/wide.h"
#include "win32/overlays/fonts.h"

namespace peekbar::win32 {

std::optional<FontRecord> Win32Dialogs::PickFont(const FontRecord& current) {
  LOGFONTW record = ToLogFont(current);
  CHOOSEFONTW chooser{};
  chooser.lStructSize = sizeof chooser;
  chooser.hwndOwner = Owner();
  chooser.lpLogFont = &record;
  chooser.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT;
  if (!ChooseFontW(&chooser)) return std::nullopt;
  return FromLogFont(record);
}

std::optional<Color> Win32Dialogs::PickColor(WindowHandle owner, Color initial) {
  CHOOSECOLORW chooser{};
  chooser.lStructSize = sizeof chooser;
  chooser.hwndOwner = ToHwnd(owner);
  chooser.rgbResult = initial;
  chooser.lpCustColors = customColors_;
  chooser.Flags = CC_RGBINIT | CC_FULLOPEN;
  if (!ChooseColorW(&chooser)) return std::nullopt;
  return static_cast<Color>(chooser.rgbResult);
}

}  // namespace peekbar::win32
