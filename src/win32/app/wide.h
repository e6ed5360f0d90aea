// The core's UTF-16 text and the system's wide strings are the same units on
// Windows; these views cross between them without copying.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "core/base/desktop.h"

namespace peekbar::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide characters are UTF-16 units");

inline const wchar_t* Wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }
inline std::wstring WideString(std::u16string_view text) {
  return std::wstring(reinterpret_cast<const wchar_t*>(text.data()), text.size());
}
inline std::u16string Utf16(const wchar_t* text) { return std::u16string(reinterpret_cast<const char16_t*>(text)); }
inline std::u16string Utf16(const wchar_t* text, std::size_t length) {
  return std::u16string(reinterpret_cast<const char16_t*>(text), length);
}

inline HWND ToHwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }
inline WindowHandle FromHwnd(HWND window) { return reinterpret_cast<WindowHandle>(window); }

}  // namespace peekbar::win32
