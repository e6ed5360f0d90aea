#include "tray/tray_menu.h"

namespace peekbar::win32 {

void TrayMenu::ShowTrayMenu() { (void)shell_; }

}  // namespace peekbar::win32
