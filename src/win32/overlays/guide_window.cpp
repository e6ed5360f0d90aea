#include "win32/overlays/guide_window.h"

#include <algorithm>

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

void GuideWindows::Apply(const GuidesView& frame) {
  for (std::size_t m = frame.monitors.size(); m < guides_.size(); ++m) Close(guides_[m]);
  guides_.resize(frame.monitors.size());
  const bool alphaChanged = frame.alpha != alpha_;
  alpha_ = frame.alpha;
  for (std::size_t m = 0; m < frame.monitors.size(); ++m) {
    Guide& guide = guides_[m];
    const std::optional<GuideView>& wanted = frame.monitors[m];
    if (!wanted) {
      Close(guide);
      continue;
    }
    if (!IsOwnWindow(guide.window)) {
      guide.window = Make(wanted->monitor);
      if (guide.window == nullptr) continue;
      guide.painted = *wanted;
    } else {
      if (alphaChanged) ApplyOpacity(guide.window, alpha_);
      if (guide.painted != *wanted) {
        guide.painted = *wanted;
        InvalidateRect(guide.window, nullptr, FALSE);
      }
    }
    const bool shown = frame.visible && !wanted->quiet;
    const bool visible = IsWindowVisible(guide.window) != FALSE;
    if (shown && !visible) SetWindowPos(guide.window, HWND_TOPMOST, 0, 0, 0, 0, kShowFlags);
    if (!shown && visible) ShowWindow(guide.window, SW_HIDE);
  }
  KeepLabelFontsForGuides();
}

void GuideWindows::RebuildLabelFonts(const FontRecord& font) {
  labelFont_ = font;
  labelFonts_.clear();
  KeepLabelFontsForGuides();
}

void GuideWindows::KeepLabelFontsForGuides() {
  std::erase_if(labelFonts_, [this](const auto& fonts) {
    return std::none_of(guides_.begin(), guides_.end(), [&](const Guide& guide) {
      return guide.window != nullptr && guide.painted.dpi == fonts.first;
    });
  });
  for (const Guide& guide : guides_) {
    if (guide.window != nullptr) labelFonts_.try_emplace(guide.painted.dpi, labelFont_, guide.painted.dpi);
  }
}

HWND GuideWindows::Make(const Rect& r) {
  if (!RegisterGuideClass(WindowProc)) return nullptr;
  const HWND window = CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT, kGuideWindowClass,
                                      L"Peekbarのガイド", WS_POPUP, r.left, r.top, static_cast<int>(r.Width()),
                                      static_cast<int>(r.Height()), nullptr, nullptr, GetModuleHandleW(nullptr),
                                      nullptr);
  if (window == nullptr) return nullptr;
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  ApplyOpacity(window, alpha_);
  return window;
}

void GuideWindows::Close() {
  for (Guide& guide : guides_) Close(guide);
  guides_.clear();
}

void GuideWindows::Close(Guide& guide) {
  if (IsOwnWindow(guide.window)) PostMessageW(guide.window, WM_CLOSE, 0, 0);
  guide = {};
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
    case WM_DPICHANGED:
      if (const auto* owner = reinterpret_cast<GuideWindows*>(GetWindowLongPtrW(window, GWLP_USERDATA))) {
        return FollowDpiChange(wParam, owner->DrawnAt(window, HIWORD(wParam)));
      }
      return 0;
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
  for (const Guide& guide : guides_) {
    if (guide.window == window) PaintBars(memory, guide.painted);
  }
  BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  EndPaint(window, &paint);
}

UINT GuideWindows::DrawnAt(HWND window, UINT otherwise) const {
  for (const Guide& guide : guides_) {
    if (guide.window == window) return guide.painted.dpi;
  }
  return otherwise;  // closed, not yet gone
}

void GuideWindows::PaintBars(HDC dc, const GuideView& guide) const {
  const auto fonts = labelFonts_.find(guide.dpi);
  for (const GuideBarView& bar : guide.bars) {
    const HBRUSH brush = CreateSolidBrush(bar.color);
    const auto fill = [&](const Rect& part) {
      const RECT r = ToRECT(part);
      if (FillsSomething(part)) FillRect(dc, &r, brush);
    };
    fill(bar.bar.parts[0]);
    if (!bar.label.empty() && fonts != labelFonts_.end()) fonts->second.DrawLabel(dc, bar, guide.width, brush);
    if (bar.bar.count == 2) fill(bar.bar.parts[1]);  // a corner's second arm may cover its label
    DeleteObject(brush);
  }
}

}  // namespace peekbar::win32
