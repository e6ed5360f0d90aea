// The program's window classes, made the one way: registered once per
// process, drawn with the arrow cursor and carrying the program's icon.
#pragma once

#include <windows.h>

namespace peekbar::win32 {

struct WindowClass {
  const wchar_t* name;
  WNDPROC procedure;
  int background;  // a stock object: NULL_BRUSH, BLACK_BRUSH...
  UINT style = CS_HREDRAW | CS_VREDRAW;
  // How the program's icon is loaded (LoadImageW flags): by default at the
  // system's icon size and shared. It also stands as the small icon, unless
  // the system is left to pick one from the icon's group.
  UINT iconLoad = LR_DEFAULTSIZE | LR_SHARED;
  bool iconIsSmallIcon = true;
};

// Registers the class in `instance` unless it is there already; false when
// it is not registered and could not be.
bool EnsureWindowClass(HINSTANCE instance, const WindowClass& windowClass);

}  // namespace peekbar::win32
