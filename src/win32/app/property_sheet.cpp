#include "win32/app/property_sheet.h"

#include <commctrl.h>
#include <prsht.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "win32/app/dialog_icon.h"
#include "win32/app/wide.h"

namespace peekbar::win32 {
namespace {

// A DLGTEMPLATEEX begins with its version and the signature 0xFFFF, then
// the help id and extended style; its style follows at word 6. A
// DLGTEMPLATE begins with its style.
bool IsExtended(const WORD* words) { return words[1] == 0xFFFF; }
std::size_t StyleOffset(const WORD* words) { return IsExtended(words) ? 6 : 0; }
// The fixed header ends after the item count, position and size.
std::size_t HeaderWords(const WORD* words) { return IsExtended(words) ? 13 : 9; }

DWORD StyleOf(const WORD* words) {
  DWORD style = 0;
  std::memcpy(&style, words + StyleOffset(words), sizeof style);
  return style;
}

const WORD* SkipText(const WORD* p) {
  while (*p != 0) ++p;
  return p + 1;
}

// A menu or class field: none, an ordinal, or a name.
const WORD* SkipNameOrOrdinal(const WORD* p) {
  if (*p == 0) return p + 1;
  if (*p == 0xFFFF) return p + 2;
  return SkipText(p);
}

// The point size of the template's font, which follows the title; null when
// the template names no font.
const WORD* PointSizeField(const WORD* words) {
  if ((StyleOf(words) & DS_SETFONT) == 0) return nullptr;
  const WORD* menu = words + HeaderWords(words);
  const WORD* windowClass = SkipNameOrOrdinal(menu);
  const WORD* title = SkipNameOrOrdinal(windowClass);
  return SkipText(title);
}

// For PSCB_PRECREATE, with the template it receives: the sheet comes up
// centred like the program's other dialogs, and is set in the point size of
// page template `pageTemplateId` where its own is smaller. The sheet is
// sized from its pages' dialog units measured in its own font, so with a
// smaller font than the pages' it would cut them off.
void FitSheetTemplateToPages(LPARAM sheetTemplate, HINSTANCE instance, int pageTemplateId) {
  auto* sheet = reinterpret_cast<WORD*>(sheetTemplate);
  const DWORD style = StyleOf(sheet) | DS_CENTER;
  std::memcpy(sheet + StyleOffset(sheet), &style, sizeof style);

  const HRSRC resource = FindResourceW(instance, MAKEINTRESOURCEW(pageTemplateId), RT_DIALOG);
  const HGLOBAL loaded = resource != nullptr ? LoadResource(instance, resource) : nullptr;
  const auto* page = static_cast<const WORD*>(loaded != nullptr ? LockResource(loaded) : nullptr);
  const WORD* pageSize = page != nullptr ? PointSizeField(page) : nullptr;
  const WORD* sheetSize = PointSizeField(sheet);
  if (pageSize != nullptr && sheetSize != nullptr && *sheetSize < *pageSize) *const_cast<WORD*>(sheetSize) = *pageSize;
}

// Every page is made when the sheet opens (PSP_PREMATURE), so that OK also
// applies the pages never looked at. Where the common controls make only the
// start page, the missing ones are made here, before the sheet is shown, by
// selecting each of them; the start page is selected again last.
void MakeEveryPage(HWND sheet, int pageCount, int startPage) {
  bool made = false;
  for (int index = 0; index < pageCount; ++index) {
    if (index == startPage || PropSheet_IndexToHwnd(sheet, index) != nullptr) continue;
    PropSheet_SetCurSel(sheet, nullptr, index);
    made = true;
  }
  if (made) PropSheet_SetCurSel(sheet, nullptr, startPage);
}

// The sheet has just been sized to its pages: it comes up in the middle of
// the work area, or at its top left when it is larger.
void CentreOnWorkArea(HWND sheet) {
  RECT rect{};
  GetWindowRect(sheet, &rect);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoW(MonitorFromWindow(sheet, MONITOR_DEFAULTTOPRIMARY), &monitor)) return;
  const RECT& work = monitor.rcWork;
  const LONG x = std::max(work.left, work.left + (work.right - work.left - (rect.right - rect.left)) / 2);
  const LONG y = std::max(work.top, work.top + (work.bottom - work.top - (rect.bottom - rect.top)) / 2);
  SetWindowPos(sheet, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

struct OpenSheet {
  HINSTANCE instance;
  const SheetDef& def;
  bool applied = false;
};

// What a page's dialog procedure finds in DWLP_USER.
struct PageSlot {
  OpenSheet* sheet;
  SheetPage* page;
};

// The sheet callback is given no pointer of ours: the sheet being opened is
// found here for the length of its PropertySheetW call. Sheets are modal on
// the one GUI thread; one opened from another's page puts the outer one back
// when it closes.
OpenSheet* g_openingSheet = nullptr;

int CALLBACK SheetCallback(HWND sheet, UINT message, LPARAM lParam) {
  const OpenSheet* open = g_openingSheet;
  if (open == nullptr) return 0;
  const SheetDef& def = open->def;
  if (message == PSCB_PRECREATE) FitSheetTemplateToPages(lParam, open->instance, def.pages.front().templateId);
  if (message == PSCB_INITIALIZED) {
    if (def.iconId == 0) TakeOwnersIcon(sheet);
    MakeEveryPage(sheet, static_cast<int>(def.pages.size()), def.startPage);
    CentreOnWorkArea(sheet);
  }
  return 0;
}

INT_PTR Result(HWND page, LONG_PTR result) {
  SetWindowLongPtrW(page, DWLP_MSGRESULT, result);
  return TRUE;
}

INT_PTR CALLBACK PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* slot = reinterpret_cast<PageSlot*>(reinterpret_cast<const PROPSHEETPAGEW*>(lParam)->lParam);
    SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(slot));
    slot->page->Fill(window);
    return TRUE;
  }
  auto* slot = reinterpret_cast<PageSlot*>(GetWindowLongPtrW(window, DWLP_USER));
  if (slot == nullptr) return FALSE;
  if (message == WM_COMMAND) return slot->page->Command(window, LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
  if (message == WM_NOTIFY) {
    switch (reinterpret_cast<const NMHDR*>(lParam)->code) {
      case PSN_APPLY:
        slot->sheet->applied = true;
        slot->page->Apply(window);
        return Result(window, PSNRET_NOERROR);
      case PSN_SETACTIVE:
        if (slot->sheet->def.okOnly) break;
        PropSheet_Changed(GetParent(window), window);  // Apply is always available
        return Result(window, 0);
      default:
        break;
    }
  }
  const std::optional<INT_PTR> result = slot->page->Other(window, message, wParam, lParam);
  return result.value_or(FALSE);
}

}  // namespace

bool RunPropertySheet(HINSTANCE instance, HWND owner, const SheetDef& def) {
  OpenSheet open{instance, def};
  const std::size_t count = def.pages.size();
  std::vector<PageSlot> slots;
  std::vector<std::wstring> titles;
  std::vector<PROPSHEETPAGEW> pages(count);
  slots.reserve(count);
  titles.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    const SheetPageDef& from = def.pages[i];
    slots.push_back({&open, from.page});
    titles.push_back(WideString(from.title));
    PROPSHEETPAGEW& page = pages[i];
    page.dwSize = sizeof page;
    page.dwFlags = PSP_PREMATURE | (from.title.empty() ? 0 : PSP_USETITLE);
    page.hInstance = instance;
    page.pszTemplate = MAKEINTRESOURCEW(from.templateId);
    page.pfnDlgProc = &PageProc;
    page.pszTitle = titles[i].c_str();
    page.lParam = reinterpret_cast<LPARAM>(&slots[i]);
  }
  const std::wstring caption = WideString(def.caption);
  PROPSHEETHEADERW header{};
  header.dwSize = sizeof header;
  header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOCONTEXTHELP | PSH_USECALLBACK;
  if (def.okOnly) header.dwFlags |= PSH_NOAPPLYNOW;
  if (def.iconId != 0) {
    header.dwFlags |= PSH_USEICONID;
    header.pszIcon = MAKEINTRESOURCEW(def.iconId);
  }
  header.hwndParent = owner;
  header.hInstance = instance;
  header.pszCaption = caption.c_str();
  header.nPages = static_cast<UINT>(count);
  header.nStartPage = static_cast<UINT>(def.startPage);
  header.ppsp = pages.data();
  header.pfnCallback = &SheetCallback;
  OpenSheet* const outer = std::exchange(g_openingSheet, &open);
  PropertySheetW(&header);
  g_openingSheet = outer;
  return open.applied;
}

}  // namespace peekbar::win32
