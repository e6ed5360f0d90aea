#include "win32/overlays/trigger_window.h"

#include <string>

#include "resource.h"
#include "win32/app/wide.h"
#include "win32/app/window_class.h"
#include "win32/overlays/fonts.h"
#include "win32/overlays/tip_window.h"

namespace peekbar::win32 {
namespace {

constexpr std::size_t kTipTitleUnits = 256;

bool RegisterTriggerClass(WNDPROC procedure) {
  const WindowClass windowClass{kTriggerWindowClass, procedure, BLACK_BRUSH};
  return EnsureWindowClass(GetModuleHandleW(nullptr), windowClass);
}

Rect ClientRect(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  return {r.left, r.top, r.right, r.bottom};
}

Point ToClient(HWND window, Point screen) {
  POINT p{screen.x, screen.y};
  ScreenToClient(window, &p);
  return {p.x, p.y};
}

}  // namespace

bool TriggerWindow::Visible() const { return IsOwnWindow(window_) && IsWindowVisible(window_); }

void TriggerWindow::FollowKeys() {
  if (state_ == nullptr) return;
  switch (DecideTriggerKeys(*state_)) {
    case TriggerKeyRequest::None:
      break;
    case TriggerKeyRequest::BringUp:
      BringUp();
      break;
    case TriggerKeyRequest::HideAndRearm:
      trigger_.dismissed = false;
      Hide();
      break;
  }
}

void TriggerWindow::BringUp() {
  const Settings& s = state_->settings;
  if (!IsOwnWindow(window_)) {
    window_ = nullptr;
    if (!RegisterTriggerClass(WindowProc)) return;
    window_ = CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW, kTriggerWindowClass, L"Peekbarのトリガーウィンドウ",
                              WS_POPUP, 0, 0, s.triggerWidth, s.triggerHeight, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    if (window_ == nullptr) return;
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetLayeredWindowAttributes(window_, 0, static_cast<BYTE>(s.triggerAlpha), LWA_ALPHA);
  }
  if (trigger_.dismissed || IsWindowVisible(window_)) return;
  POINT cursor{};
  GetCursorPos(&cursor);
  const Point pointer{cursor.x, cursor.y};
  trigger_.monitor = MonitorIndexFromPoint(state_->monitorSlots, pointer);
  if (state_->monitorSlots.empty()) return;
  RECT r{};
  GetWindowRect(window_, &r);
  const Point at = FitRectAroundPoint(state_->Monitor(trigger_.monitor).monitorRect,
                                      {r.left, r.top, r.right, r.bottom}, pointer);
  SetWindowPos(window_, HWND_TOPMOST, at.x, at.y, s.triggerWidth, s.triggerHeight, SWP_SHOWWINDOW | SWP_NOACTIVATE);
}

void TriggerWindow::Hide() {
  if (IsOwnWindow(window_)) ShowWindow(window_, SW_HIDE);
}

void TriggerWindow::DismissWhenLeft(Point pointer) {
  if (state_ == nullptr || state_->settings.triggerEnabled == 0 || !Visible()) return;
  RECT r{};
  GetWindowRect(window_, &r);
  const Rect inside{r.left, r.top, r.right, r.bottom};
  if (inside.Contains(pointer)) return;
  trigger_.dismissed = true;
  Hide();
}

void TriggerWindow::CloseTip() {
  if (IsOwnWindow(tip_)) SendMessageW(tip_, WM_CLOSE, 0, 0);
  tip_ = nullptr;
}

void TriggerWindow::Close() {
  CloseTip();
  if (IsOwnWindow(window_)) SendMessageW(window_, WM_CLOSE, 0, 0);
  window_ = nullptr;
}

void TriggerWindow::RaiseWithTip(UINT windowFlags) {
  SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, windowFlags | SWP_NOMOVE | SWP_NOSIZE);
  if (IsOwnWindow(tip_)) SetWindowPos(tip_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
}

void TriggerWindow::StayAboveShownWindows() {
  if (state_ == nullptr || !Visible()) return;
  // A window brought up from a cell is raised under the trigger window, but
  // its program may activate it afterwards (under Wine the activation comes
  // later, from the X server), and activation lifts it to the top.
  const auto shownHere = [&](HWND window) {
    for (const LocationSlot& at : state_->Monitor(trigger_.monitor).locations) {
      if (at.cycle.IsShown() && ToHwnd(at.cycle.Window()) == window) return true;
    }
    return false;
  };
  for (HWND above = GetWindow(window_, GW_HWNDPREV); above != nullptr; above = GetWindow(above, GW_HWNDPREV)) {
    if (!shownHere(above)) continue;
    RaiseWithTip(SWP_NOACTIVATE);
    return;
  }
}

void TriggerWindow::UpdateTip(Point pointer) {
  if (state_ == nullptr) return;
  if (!Visible()) {
    CloseTip();
    trigger_.tipCell = -1;
    return;
  }
  const Rect client = ClientRect(window_);
  const int cell = TriggerCellAt(ToClient(window_, pointer), static_cast<std::int32_t>(client.Width()),
                                 static_cast<std::int32_t>(client.Height()));
  if (trigger_.monitor == trigger_.tipMonitor && cell == trigger_.tipCell) return;
  CloseTip();
  trigger_.tipMonitor = trigger_.monitor;
  trigger_.tipCell = cell;

  const LOGFONTW font = ToLogFont(state_->settings.labelFont);
  if (cell == kTriggerCloseBlock) {
    tip_ = CreateTipWindow(kTriggerCloseTip, font, RGB(0, 0, 0), RGB(255, 255, 255), 255);
  } else if (cell >= 0) {
    const LocationSlot& at = state_->At(trigger_.monitor, cell);
    if (at.cycle.Window() == kNoWindow) return;
    wchar_t title[kTipTitleUnits] = {};
    const int length = GetWindowTextW(ToHwnd(at.cycle.Window()), title, static_cast<int>(kTipTitleUnits));
    tip_ = CreateTipWindow(Utf16(title, length > 0 ? static_cast<std::size_t>(length) : 0), font, at.labelColor,
                           at.guideColor, 255);
  }
  if (tip_ == nullptr) return;
  RECT r{};
  GetWindowRect(tip_, &r);
  const Point at = TriggerTipPosition(pointer, r.right - r.left, r.bottom - r.top, GetSystemMetrics(SM_CYCURSOR) / 2,
                                      state_->Monitor(trigger_.monitor).monitorRect);
  SetWindowPos(tip_, HWND_TOPMOST, at.x, at.y, 0, 0, SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOSIZE);
}

int TriggerWindow::CellUnderPointer() const {
  POINT cursor{};
  GetCursorPos(&cursor);
  const Rect client = ClientRect(window_);
  return TriggerCellAt(ToClient(window_, {cursor.x, cursor.y}), static_cast<std::int32_t>(client.Width()),
                       static_cast<std::int32_t>(client.Height()));
}

// Off screen first and then one copy, so the cells never flicker.
void TriggerWindow::Paint() {
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(window_, &paint);
  const Rect client = ClientRect(window_);
  const auto w = static_cast<std::int32_t>(client.Width());
  const auto h = static_cast<std::int32_t>(client.Height());
  const HDC memory = CreateCompatibleDC(dc);
  const HBITMAP bitmap = CreateCompatibleBitmap(dc, w, h);
  const HGDIOBJ previous = SelectObject(memory, bitmap);
  const int hovered = CellUnderPointer();
  const MonitorSlot& monitor = state_->Monitor(trigger_.monitor);
  for (int row = 0; row < kTriggerGridSize; ++row) {
    for (int column = 0; column < kTriggerGridSize; ++column) {
      const TriggerCellLook look = TriggerCellLookOf(TriggerGridValue(row, column), hovered, monitor);
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

void TriggerWindow::Click(Point client) {
  if (!Visible()) return;
  const Rect size = ClientRect(window_);
  const int cell =
      TriggerCellAt(client, static_cast<std::int32_t>(size.Width()), static_cast<std::int32_t>(size.Height()));
  if (cell == kTriggerGap) return;
  if (cell == kTriggerCloseBlock) {
    trigger_.dismissed = true;
    Hide();
    return;
  }
  const LocationSlot& at = state_->At(trigger_.monitor, cell);
  if (at.cycle.Window() == kNoWindow) return;
  if (at.cycle.IsShown()) {
    actions_->BringDown(trigger_.monitor, cell);
  } else {
    POINT screen{client.x, client.y};
    ClientToScreen(window_, &screen);
    actions_->BringUpAt(trigger_.monitor, cell, {screen.x, screen.y});
    // Both stay above the window just brought up.
    RaiseWithTip(SWP_ASYNCWINDOWPOS);
  }
  InvalidateRect(window_, nullptr, FALSE);
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
    case WM_MOUSEMOVE:
      InvalidateRect(window, nullptr, FALSE);
      return 0;
    case WM_LBUTTONUP:
      if (self != nullptr) self->Click({LOWORD(lParam), HIWORD(lParam)});
      return 0;
    case WM_RBUTTONUP:
      if (self != nullptr) self->actions_->OpenMenu();
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace peekbar::win32
