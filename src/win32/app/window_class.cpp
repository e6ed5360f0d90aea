#include "win32/app/window_class.h"

#include "resource.h"

namespace peekbar::win32 {

bool EnsureWindowClass(HINSTANCE instance, const WindowClass& c) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExW(instance, c.name, &existing)) return true;

  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = c.style;
  windowClass.lpfnWndProc = c.procedure;
  windowClass.hInstance = instance;
  windowClass.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON, 0, 0, c.iconLoad));
  if (c.iconIsSmallIcon) windowClass.hIconSm = windowClass.hIcon;
  windowClass.hCursor = static_cast<HCURSOR>(LoadImageW(nullptr, MAKEINTRESOURCEW(OCR_NORMAL), IMAGE_CURSOR, 0, 0,
                                                        LR_DEFAULTSIZE | LR_SHARED));
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(c.background));
  windowClass.lpszClassName = c.name;
  return RegisterClassExW(&windowClass) != 0;
}

}  // namespace peekbar::win32
