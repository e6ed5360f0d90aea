// The about box: the program's name and version, its picture, and a link
// to the project's home that opens it in the browser.
#include "win32/app/win32_dialogs.h"

#include <commctrl.h>

#include <string>

#include "resource.h"
#include "win32/app/dialog_icon.h"
#include "win32/app/wide.h"

namespace peekbar::win32 {
namespace {

constexpr wchar_t kHomeUrl[] = L"" PEEKBAR_HOME_URL;
constexpr COLORREF kIdleLink = RGB(0, 0, 255);
constexpr COLORREF kHotLink = RGB(255, 0, 0);
constexpr UINT_PTR kLinkSubclass = 1;

// What the open box keeps for its link.
struct AboutBox {
  Win32Shell* shell = nullptr;
  HWND link = nullptr;
  HBRUSH face = nullptr;          // the link's background
  HFONT ownFont = nullptr;        // the control's font, not ours to delete
  HFONT underlined = nullptr;
  COLORREF colour = kIdleLink;

  // The control's font from now on, and an underlined copy of it ours.
  void TakeFont(HFONT font) {
    ownFont = font;
    LOGFONTW record{};
    GetObjectW(font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT), sizeof record, &record);
    record.lfUnderline = TRUE;
    if (underlined != nullptr) DeleteObject(underlined);
    underlined = CreateFontIndirectW(&record);
  }

  void Highlight() {
    colour = kHotLink;
    SendMessageW(link, WM_SETFONT, reinterpret_cast<WPARAM>(underlined), TRUE);
  }
  // Blue and plain again, and the pointer no longer followed.
  void Reset() {
    colour = kIdleLink;
    SendMessageW(link, WM_SETFONT, reinterpret_cast<WPARAM>(ownFont), TRUE);
    if (GetCapture() == link) ReleaseCapture();
  }
};

// The link follows the pointer itself: it turns red and underlined as the
// pointer comes over it and holds the mouse until the pointer leaves.
LRESULT CALLBACK LinkProc(HWND link, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  auto& box = *reinterpret_cast<AboutBox*>(data);
  switch (message) {
    case WM_SETCURSOR:
      SetCursor(LoadCursorW(nullptr, IDC_HAND));
      return TRUE;
    case WM_MOUSEMOVE: {
      if (GetCapture() == nullptr) {
        box.Highlight();
        SetCapture(link);
      }
      RECT client{};
      GetClientRect(link, &client);
      const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      if (!PtInRect(&client, at)) box.Reset();
      break;
    }
    case WM_SETFONT: {
      // Moved to a monitor of another scaling, the dialog gives its controls
      // a font made for the new DPI and deletes the old one: that font is the
      // link's from now on, underlined while the pointer is over it.
      const auto font = reinterpret_cast<HFONT>(wParam);
      if (font == box.ownFont || font == box.underlined) break;
      box.TakeFont(font);
      if (box.colour == kHotLink) wParam = reinterpret_cast<WPARAM>(box.underlined);
      break;
    }
    default:
      break;
  }
  return DefSubclassProc(link, message, wParam, lParam);
}

void Open(HWND dialog, AboutBox& box) {
  TakeOwnersIcon(dialog);
  box.link = GetDlgItem(dialog, IDC_ABOUT_LINK);
  SetWindowTextW(box.link, (std::wstring(L"URL : ") + kHomeUrl).c_str());
  box.face = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
  box.TakeFont(reinterpret_cast<HFONT>(SendMessageW(box.link, WM_GETFONT, 0, 0)));
  SetWindowSubclass(box.link, &LinkProc, kLinkSubclass, reinterpret_cast<DWORD_PTR>(&box));
}

void Close(AboutBox& box) {
  RemoveWindowSubclass(box.link, &LinkProc, kLinkSubclass);
  DeleteObject(box.face);
  DeleteObject(box.underlined);
}

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    Open(dialog, *reinterpret_cast<AboutBox*>(lParam));
    return TRUE;
  }
  auto* box = reinterpret_cast<AboutBox*>(GetWindowLongPtrW(dialog, DWLP_USER));
  if (box == nullptr) return FALSE;
  switch (message) {
    case WM_CTLCOLORSTATIC:
      if (reinterpret_cast<HWND>(lParam) != box->link) return FALSE;
      SetTextColor(reinterpret_cast<HDC>(wParam), box->colour);
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      return reinterpret_cast<INT_PTR>(box->face);
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) box->Reset();
      return FALSE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_ABOUT_LINK && HIWORD(wParam) == STN_CLICKED) {
        box->Reset();
        box->shell->OpenDocument(Utf16(kHomeUrl));
      } else if (LOWORD(wParam) == IDOK) {
        EndDialog(dialog, 1);
      }
      return TRUE;  // Esc's cancel command does nothing
    case WM_CLOSE:
      // The close button: left to the default, it would become Esc's cancel.
      EndDialog(dialog, 1);
      return TRUE;
    case WM_DESTROY:
      Close(*box);
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

void Win32Dialogs::ShowAbout() {
  AboutBox box;
  box.shell = &shell_;
  DialogBoxParamW(Instance(), MAKEINTRESOURCEW(IDD_ABOUT), Owner(), &AboutProc, reinterpret_cast<LPARAM>(&box));
}

}  // namespace peekbar::win32
