#include "win32/overlays/guide_window.h"

#include "core/overlays/guides.h"
#include "win32/app/wide.h"
#include "win32/app/window_class.h"
#include "win32/overlays/tip_window.h"

namespace peekbar::win32 {
namespace {

constexpr UINT kShowFlags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW;

bool RegisterGuideClass(WNDPROC procedure) {
  WindowClass windowClass{kGuideWindowClass, procedure, BLACK_BRUSH};
  windowClass.iconLoad = 0;  // the icon at the size of its first image, a copy of its own
  return EnsureWindowClass(GetModuleHandleW(nullptr), windowClass);
}

void ApplyOpacity(HWND window, std::int32_t alpha) {
  SetLayeredWindowAttributes(window, kGuideColorKey, static_cast<BYTE>(alpha), LWA_COLORKEY | LWA_ALPHA);
}

RECT ToRECT(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

}  // namespace

void GuideWindows::Create() {
  if (state_ == nullptr) return;
  painted_.resize(state_->monitorSlots.size());
  for (int m = 0; m < state_->MonitorCount(); ++m) CreateFor(m);
}

void GuideWindows::CreateFor(int monitor) {
  MonitorSlot& slot = state_->monitorSlots[static_cast<std::size_t>(monitor)];
  if (!slot.active) return;
  HWND window = ToHwnd(slot.guideWindow);
  if (!IsOwnWindow(window)) {
    slot.guideWindow = kNoWindow;
    if (!RegisterGuideClass(WindowProc)) return;
    const Rect& r = slot.monitorRect;
    window = CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT, kGuideWindowClass,
                             L"Peekbarのガイド", WS_POPUP, r.left, r.top, static_cast<int>(r.Width()), static_cast<int>(r.Height()), nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    if (window == nullptr) return;
    slot.guideWindow = FromHwnd(window);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ApplyOpacity(window, state_->settings.guideAlpha);
    painted_[static_cast<std::size_t>(monitor)] = slot.Windows();
  }
  if (state_->settings.guideAlwaysShow != 0) SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, kShowFlags);
}

void GuideWindows::Close() {
  if (state_ == nullptr) return;
  for (MonitorSlot& slot : state_->monitorSlots) {
    if (IsOwnWindow(ToHwnd(slot.guideWindow))) PostMessageW(ToHwnd(slot.guideWindow), WM_CLOSE, 0, 0);
    slot.guideWindow = kNoWindow;
  }
}

void GuideWindows::Refresh() {
  if (state_ == nullptr) return;
  for (int m = 0; m < state_->MonitorCount(); ++m) {
    const HWND window = ToHwnd(state_->monitorSlots[static_cast<std::size_t>(m)].guideWindow);
    if (!IsOwnWindow(window)) continue;
    ApplyOpacity(window, state_->settings.guideAlpha);
    Invalidate(m);
  }
}

void GuideWindows::ShowAll() {
  for (const MonitorSlot& slot : state_->monitorSlots) {
    const HWND window = ToHwnd(slot.guideWindow);
    if (IsOwnWindow(window) && !IsWindowVisible(window)) SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, kShowFlags);
  }
}

void GuideWindows::HideAll() {
  if (state_ == nullptr) return;
  for (const MonitorSlot& slot : state_->monitorSlots) {
    const HWND window = ToHwnd(slot.guideWindow);
    if (IsOwnWindow(window) && IsWindowVisible(window)) ShowWindow(window, SW_HIDE);
  }
}

void GuideWindows::UpdateVisibility(Point pointer) {
  if (state_ == nullptr) return;
  RepaintChangedRegistrations();
  switch (DecideGuideVisibility(*state_, pointer)) {
    case GuideVisibility::Shown: ShowAll(); break;
    case GuideVisibility::Hidden: HideAll(); break;
    case GuideVisibility::Unchanged: break;
  }
}

// Registrations change in many places (the menu, keywords, the sheets, a
// window closed by its program); the guides notice on the next tick.
void GuideWindows::RepaintChangedRegistrations() {
  for (std::size_t m = 0; m < painted_.size() && m < state_->monitorSlots.size(); ++m) {
    if (painted_[m] != state_->monitorSlots[m].Windows()) Invalidate(static_cast<int>(m));
  }
}

void GuideWindows::InvalidateVisible() {
  if (state_ == nullptr) return;
  for (int m = 0; m < state_->MonitorCount(); ++m) {
    if (IsWindowVisible(ToHwnd(state_->monitorSlots[static_cast<std::size_t>(m)].guideWindow))) Invalidate(m);
  }
}

void GuideWindows::Invalidate(int monitor) {
  if (state_ == nullptr || monitor < 0 || monitor >= state_->MonitorCount()) return;
  const MonitorSlot& slot = state_->monitorSlots[static_cast<std::size_t>(monitor)];
  if (!IsOwnWindow(ToHwnd(slot.guideWindow))) return;
  if (static_cast<std::size_t>(monitor) < painted_.size()) painted_[static_cast<std::size_t>(monitor)] = slot.Windows();
  InvalidateRect(ToHwnd(slot.guideWindow), nullptr, FALSE);
}

void GuideWindows::RebuildLabelFonts() {
  if (state_ != nullptr) fonts_.Rebuild(state_->settings);
}

LRESULT CALLBACK GuideWindows::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return 0;
    case WM_PAINT:
      if (auto* owner = reinterpret_cast<GuideWindows*>(GetWindowLongPtrW(window, GWLP_USERDATA))) {
        owner->Paint(window);
        return 0;
      }
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// Off screen first and then one copy, so the bars never flicker.
void GuideWindows::Paint(HWND window) {
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(window, &paint);
  RECT client{};
  GetClientRect(window, &client);
  const HDC memory = CreateCompatibleDC(dc);
  const HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
  const HGDIOBJ previous = SelectObject(memory, bitmap);
  const HBRUSH key = CreateSolidBrush(kGuideColorKey);
  FillRect(memory, &client, key);
  DeleteObject(key);
  // A guide closed but not yet gone belongs to no monitor: it stays clear.
  for (const MonitorSlot& slot : state_->monitorSlots) {
    if (ToHwnd(slot.guideWindow) == window) PaintBars(memory, slot);
  }
  BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  EndPaint(window, &paint);
}

void GuideWindows::PaintBars(HDC dc, const MonitorSlot& slot) const {
  const Settings& s = state_->settings;
  const LocationSpan span = LocationSpan::Of(slot.monitorRect, s.cornerLength, s.middleLength);
  const bool labels = LabelsVisibleNow(*state_);
  for (const int location : kGuidePaintOrder) {
    if (slot[location].cycle.Window() == kNoWindow) continue;
    const GuideBar bar = GuideBarOf(slot.monitorRect, span, s.guideWidth, location);
    const HBRUSH brush = CreateSolidBrush(slot[location].guideColor);
    const auto fill = [&](const Rect& part) {
      const RECT r = ToRECT(part);
      if (FillsSomething(part)) FillRect(dc, &r, brush);
    };
    fill(bar.parts[0]);
    if (labels) fonts_.DrawLabel(dc, slot, location, bar.parts[0], s.guideWidth, brush);
    if (bar.count == 2) fill(bar.parts[1]);  // a corner's second arm may cover its label
    DeleteObject(brush);
  }
}

}  // namespace peekbar::win32
