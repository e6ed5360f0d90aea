#include "win32/app/win32_dialogs.h"

#include <commdlg.h>

#include "win32/app/wide.h"
#include "win32/overlays/fonts.h"

namespace peekbar::win32 {

std::optional<FontRecord> ChooseScreenFont(HWND owner, const FontRecord& current) {
  LOGFONTW record = ToLogFont(current);
  CHOOSEFONTW chooser{};
  chooser.lStructSize = sizeof chooser;
  chooser.hwndOwner = owner;
  chooser.lpLogFont = &record;
  chooser.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT;
  if (!ChooseFontW(&chooser)) return std::nullopt;
  return FromLogFont(record);
}

std::optional<Color> ChooseColour(HWND owner, Color initial, CustomColours& custom) {
  CHOOSECOLORW chooser{};
  chooser.lStructSize = sizeof chooser;
  chooser.hwndOwner = owner;
  chooser.rgbResult = initial;
  chooser.lpCustColors = custom.data();
  chooser.Flags = CC_RGBINIT | CC_FULLOPEN;
  if (!ChooseColorW(&chooser)) return std::nullopt;
  return static_cast<Color>(chooser.rgbResult);
}

std::optional<FontRecord> Win32Dialogs::PickFont(const FontRecord& current) { return ChooseScreenFont(Owner(), current); }

std::optional<Color> Win32Dialogs::PickColor(WindowHandle owner, Color initial) {
  return ChooseColour(ToHwnd(owner), initial, guideColours_);
}

}  // namespace peekbar::win32
