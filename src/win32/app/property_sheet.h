// The program's property sheets, all run the one way: a sheet is its pages,
// each a dialog template and an object that fills it, takes it over on OK
// and handles its controls. The runner sets the sheet in the pages' font,
// centres it on the work area once it is sized to them, and makes every
// page before the sheet shows, so that OK takes over the pages never looked
// at as well.
#pragma once

#include <windows.h>

#include <optional>
#include <span>
#include <string_view>

namespace peekbar::win32 {

// What one page does; the runner calls it from the page's dialog procedure.
class SheetPage {
 public:
  virtual ~SheetPage() = default;
  // The page was made (WM_INITDIALOG): its controls take their values.
  virtual void Fill(HWND page) = 0;
  // OK or Apply (PSN_APPLY): what the controls hold is taken over.
  virtual void Apply(HWND page) = 0;
  // A control's notification (WM_COMMAND); true when the page handled it.
  virtual bool Command(HWND /*page*/, int /*control*/, int /*code*/) { return false; }
  // Any other message, other notifications among them: the dialog
  // procedure's result, or nothing to leave the message to the system.
  virtual std::optional<INT_PTR> Other(HWND /*page*/, UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/) {
    return std::nullopt;
  }
};

struct SheetPageDef {
  int templateId;
  SheetPage* page;
  std::u16string_view title = {};  // the tab's text; empty: the template's caption
};

struct SheetDef {
  std::u16string_view caption;
  std::span<const SheetPageDef> pages;  // the first one's font is the sheet's
  int iconId = 0;                        // the title bar's icon; 0: the owner's, as every dialog shows
  int startPage = 0;
  // OK and Cancel only; otherwise Apply is there too, available on every page.
  bool okOnly = false;
};

// Runs the sheet modally, owned by `owner`; true when OK or Apply took a
// page over.
bool RunPropertySheet(HINSTANCE instance, HWND owner, const SheetDef& sheet);

}  // namespace peekbar::win32
