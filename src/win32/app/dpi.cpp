#include "win32/app/dpi.h"

#include "core/base/desktop.h"

namespace peekbar::win32 {
namespace {

// Declared here: the headers declare them only for newer systems than the
// program starts on.
using GetDpiForMonitorCall = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
using GetDpiForSystemCall = UINT(WINAPI*)();
using GetSystemMetricsForDpiCall = int(WINAPI*)(int, UINT);
constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI

template <typename Call>
Call Lookup(const wchar_t* module, const char* name) {
  const HMODULE found = LoadLibraryW(module);
  const FARPROC call = found != nullptr ? GetProcAddress(found, name) : nullptr;
  // Through a plain pointer: a cast between function types is not portable.
  return reinterpret_cast<Call>(reinterpret_cast<void*>(call));
}

}  // namespace

UINT SystemDpi() {
  static const UINT dpi = [] {
    const GetDpiForSystemCall call = Lookup<GetDpiForSystemCall>(L"user32.dll", "GetDpiForSystem");
    if (call != nullptr) return call();
    const HDC screen = GetDC(nullptr);
    const int read = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen != nullptr) ReleaseDC(nullptr, screen);
    return read > 0 ? static_cast<UINT>(read) : static_cast<UINT>(kDefaultDpi);
  }();
  return dpi;
}

UINT MonitorDpi(HMONITOR monitor) {
  static const GetDpiForMonitorCall call = Lookup<GetDpiForMonitorCall>(L"shcore.dll", "GetDpiForMonitor");
  UINT x = 0;
  UINT y = 0;
  if (call == nullptr || FAILED(call(monitor, kEffectiveDpi, &x, &y)) || y == 0) return SystemDpi();
  return y;
}

int SystemMetricForDpi(int index, UINT dpi) {
  static const GetSystemMetricsForDpiCall call =
      Lookup<GetSystemMetricsForDpiCall>(L"user32.dll", "GetSystemMetricsForDpi");
  if (call != nullptr) return call(index, dpi);
  return ScaleForDpi(GetSystemMetrics(index), dpi, SystemDpi());
}

LOGFONTW FontForDpi(LOGFONTW font, UINT dpi) {
  // Negative heights are character heights, positive cell heights: both in
  // proportion, the sign kept.
  const std::int32_t height = font.lfHeight < 0 ? -font.lfHeight : font.lfHeight;
  if (height != 0) {
    const std::int32_t scaled = ScaleForDpi(height, dpi, SystemDpi());
    font.lfHeight = font.lfHeight < 0 ? -scaled : scaled;
  }
  if (font.lfWidth != 0) font.lfWidth = ScaleForDpi(font.lfWidth, dpi, SystemDpi());
  return font;
}

}  // namespace peekbar::win32
