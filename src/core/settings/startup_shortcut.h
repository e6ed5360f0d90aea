// The shortcut in the user's Startup folder that starts Peekbar at log-on,
// with the start-up delay the user chose as its argument.
#pragma once

#include <string>

#include "core/base/dialogs.h"
#include "core/base/shell.h"

namespace peekbar {

class StartupShortcut {
 public:
  StartupShortcut(Shell& shell, Dialogs& dialogs) : shell_(shell), dialogs_(dialogs) {}

  bool Exists();
  // Removes the shortcut, or makes it after asking for the delay; cancelling
  // that question abandons it, the user did not agree to it.
  void Toggle();

 private:
  // "<Startup folder>\Peekbar.lnk"; empty when the folder cannot be had.
  std::u16string Path();

  Shell& shell_;
  Dialogs& dialogs_;
};

}  // namespace peekbar
