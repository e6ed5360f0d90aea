#include "win32/overlays/tip_window.h"

#include <string>
#include <string_view>

#include "win32/app/dpi.h"
#include "win32/app/main_window.h"
#include "win32/app/wide.h"
#include "win32/app/window_class.h"
#include "win32/overlays/fonts.h"

namespace peekbar::win32 {
namespace {

struct TipRecord {
  HFONT font = nullptr;
  COLORREF textColor = 0;
  COLORREF background = 0;
  UINT dpi = 0;  // what the font was made at
};

LRESULT CALLBACK TipWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* record = reinterpret_cast<TipRecord*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  switch (message) {
    case WM_CREATE:
      return 0;
    case WM_PAINT: {
      if (record == nullptr) break;
      wchar_t text[256] = {};
      const int length = GetWindowTextW(window, text, 256);
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      SetBkMode(dc, OPAQUE);
      SetBkColor(dc, record->background);
      SetTextColor(dc, record->textColor);
      HGDIOBJ previous = SelectObject(dc, record->font);
      TextOutW(dc, 0, 0, text, length);
      SelectObject(dc, previous);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_DPICHANGED: return FollowDpiChange(wParam, record != nullptr ? record->dpi : HIWORD(wParam));
    case WM_DESTROY:
      if (record != nullptr) {
        DeleteObject(record->font);
        delete record;
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      }
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

bool RegisterTipClass() {
  return EnsureWindowClass(GetModuleHandleW(nullptr), {kTipWindowClass, TipWindowProc, BLACK_BRUSH});
}

SIZE TextExtent(HDC dc, HFONT font, const std::wstring& text) {
  SIZE size{};
  const HGDIOBJ previous = SelectObject(dc, font);
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, previous);
  return size;
}

BOOL CALLBACK FindMainWindow(HWND window, LPARAM found) {
  wchar_t name[64] = {};
  if (GetClassNameW(window, name, 64) == 0 || std::wstring_view(name) != kMainWindowClass) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

}  // namespace

LRESULT FollowDpiChange(WPARAM wParam, UINT drawnAt) {
  if (HIWORD(wParam) == drawnAt) return 0;
  // The main window, made on this thread, reads the monitors again on a
  // display change: it is told of one.
  HWND main = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindMainWindow, reinterpret_cast<LPARAM>(&main));
  if (main != nullptr) PostMessageW(main, WM_DISPLAYCHANGE, 0, 0);
  return 0;
}

SIZE MeasureTipText(std::u16string_view text, const LOGFONTW& font, UINT dpi) {
  const HFONT made = CreateOverlayFont(FontForDpi(font, dpi));
  if (made == nullptr) return {};
  const HDC screen = GetDC(nullptr);
  const SIZE size = TextExtent(screen, made, WideString(text));
  ReleaseDC(nullptr, screen);
  DeleteObject(made);
  return size;
}

bool IsOwnWindow(HWND window) {
  return window != nullptr && IsWindow(window) &&
         reinterpret_cast<HINSTANCE>(GetClassLongPtrW(window, GCLP_HMODULE)) == GetModuleHandleW(nullptr);
}

HWND CreateTipWindow(std::u16string_view text, const LOGFONTW& font, UINT dpi, COLORREF textColor,
                     COLORREF background, BYTE opacity) {
  if (text.empty() || !RegisterTipClass()) return nullptr;
  const std::wstring title = WideString(text);
  HWND window = CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT, kTipWindowClass, title.c_str(),
                                WS_POPUP, -100000, -100000, 256, 256, nullptr, nullptr, GetModuleHandleW(nullptr),
                                nullptr);
  if (window == nullptr) return nullptr;

  auto* tip = new TipRecord{CreateOverlayFont(FontForDpi(font, dpi)), textColor, background, dpi};
  if (tip->font == nullptr) {
    PostMessageW(window, WM_CLOSE, 0, 0);
    delete tip;
    return nullptr;
  }
  const HDC dc = GetDC(window);
  const SIZE size = TextExtent(dc, tip->font, title);
  ReleaseDC(window, dc);

  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(tip));
  SetLayeredWindowAttributes(window, 0, opacity, LWA_ALPHA);
  SetWindowPos(window, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  return window;
}

}  // namespace peekbar::win32
