#include "win32/overlays/trigger_window.h"

#include <windowsx.h>

#include "win32/app/window_class.h"
#include "win32/overlays/tip_window.h"

namespace peekbar::win32 {
namespace {

bool RegisterTriggerClass(WNDPROC procedure) {
  const WindowClass windowClass{kTriggerWindowClass, procedure, BLACK_BRUSH};
  return EnsureWindowClass(GetModuleHandleW(nullptr), windowClass);
}

int Width(const Rect& r) { return static_cast<int>(r.Width()); }
int Height(const Rect& r) { return static_cast<int>(r.Height()); }

}  // namespace

void TriggerWindow::Apply(const TriggerView& view) {
  const bool repaint = view.cells != shown_.cells;
  const bool moved = view.rect != shown_.rect;
  shown_ = view;
  if (!view.visible) {
    if (IsOwnWindow(window_) && IsWindowVisible(window_)) ShowWindow(window_, SW_HIDE);
  } else {
    if (!IsOwnWindow(window_)) Make(view);
    if (window_ != nullptr && (moved || !IsWindowVisible(window_))) {
      const Rect& r = view.rect;
      SetWindowPos(window_, HWND_TOPMOST, r.left, r.top, Width(r), Height(r), SWP_SHOWWINDOW | SWP_NOACTIVATE);
    }
    if (window_ != nullptr && repaint) InvalidateRect(window_, nullptr, FALSE);
  }
  ApplyTip(view.tip, view.dpi);
}

void TriggerWindow::Make(const TriggerView& view) {
  window_ = nullptr;
  if (!RegisterTriggerClass(WindowProc)) return;
  window_ = CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW, kTriggerWindowClass, L"Peekbarのトリガーウィンドウ",
                            WS_POPUP, 0, 0, Width(view.rect), Height(view.rect), nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
  if (window_ == nullptr) return;
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetLayeredWindowAttributes(window_, 0, static_cast<BYTE>(view.alpha), LWA_ALPHA);
}

// Made again only when the core made another tip, or for another DPI.
void TriggerWindow::ApplyTip(const TriggerTipView& tip, UINT dpi) {
  if (tip == tipShown_ && dpi == tipDpi_) return;
  CloseTip();
  tipShown_ = tip;
  tipDpi_ = dpi;
  if (tip.text.empty()) return;
  tip_ = CreateTipWindow(tip.text, tipFont_, dpi, tip.textColor, tip.background, 255);
  if (tip_ == nullptr) return;
  SetWindowPos(tip_, HWND_TOPMOST, tip.at.x, tip.at.y, 0, 0, SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOSIZE);
}

void TriggerWindow::CloseTip() {
  if (IsOwnWindow(tip_)) SendMessageW(tip_, WM_CLOSE, 0, 0);
  tip_ = nullptr;
  tipShown_ = {};
  tipDpi_ = 0;
}

void TriggerWindow::Close() {
  CloseTip();
  if (IsOwnWindow(window_)) SendMessageW(window_, WM_CLOSE, 0, 0);
  window_ = nullptr;
  shown_ = {};
}

void TriggerWindow::Raise(bool activate) {
  if (!IsOwnWindow(window_)) return;
  const UINT flags = SWP_NOMOVE | SWP_NOSIZE | (activate ? SWP_ASYNCWINDOWPOS : SWP_NOACTIVATE);
  SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, flags);
  if (IsOwnWindow(tip_)) SetWindowPos(tip_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
}

bool TriggerWindow::IsBelow(HWND window) const {
  if (!IsOwnWindow(window_)) return false;
  for (HWND above = GetWindow(window_, GW_HWNDPREV); above != nullptr; above = GetWindow(above, GW_HWNDPREV)) {
    if (above == window) return true;
  }
  return false;
}

// Off screen first and then one copy, so the cells never flicker.
void TriggerWindow::Paint() {
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(window_, &paint);
  RECT client{};
  GetClientRect(window_, &client);
  const auto w = static_cast<std::int32_t>(client.right);
  const auto h = static_cast<std::int32_t>(client.bottom);
  const HDC memory = CreateCompatibleDC(dc);
  const HBITMAP bitmap = CreateCompatibleBitmap(dc, w, h);
  const HGDIOBJ previous = SelectObject(memory, bitmap);
  for (int row = 0; row < kTriggerGridSize; ++row) {
    for (int column = 0; column < kTriggerGridSize; ++column) {
      const TriggerCellLook& look = shown_.cells[static_cast<std::size_t>(row * kTriggerGridSize + column)];
      const Rect cell = TriggerCellRect(row, column, w, h);
      const RECT r{cell.left, cell.top, cell.right, cell.bottom};
      HBRUSH brush = nullptr;
      if (look.hatched) {
        brush = CreateHatchBrush(HS_DIAGCROSS, look.hatch);
        SetBkMode(memory, OPAQUE);
        SetBkColor(memory, look.fill);
      } else {
        brush = CreateSolidBrush(look.fill);
      }
      FillRect(memory, &r, brush);
      DeleteObject(brush);
    }
  }
  BitBlt(dc, 0, 0, w, h, memory, 0, 0, SRCCOPY);
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  EndPaint(window_, &paint);
}

LRESULT CALLBACK TriggerWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<TriggerWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  switch (message) {
    case WM_CREATE:
      return 0;
    case WM_PAINT:
      if (self == nullptr) break;
      self->Paint();
      return 0;
    case WM_DPICHANGED: return FollowDpiChange(wParam, self != nullptr ? self->shown_.dpi : HIWORD(wParam));
    case WM_MOUSEMOVE:
      if (self != nullptr) self->reports_->TriggerPointerMoved({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      if (self != nullptr) self->reports_->TriggerClicked({LOWORD(lParam), HIWORD(lParam)}, message == WM_RBUTTONUP);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace peekbar::win32
