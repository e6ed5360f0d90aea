#include "core/settings/startup_shortcut.h"

#include "core/base/text.h"
#include "core/settings/settings_file.h"

namespace peekbar {

std::u16string StartupShortcut::Path() {
  const std::u16string folder = shell_.StartupFolder();
  return folder.empty() ? std::u16string() : folder + u"\\Peekbar.lnk";
}

bool StartupShortcut::Exists() {
  const std::u16string path = Path();
  return !path.empty() && shell_.FileExists(path);
}

void StartupShortcut::Toggle() {
  const std::u16string path = Path();
  if (path.empty()) return;
  if (shell_.FileExists(path)) {
    shell_.RemoveFile(path);
    return;
  }
  const std::optional<int> seconds = dialogs_.AskStartupDelay();
  if (!seconds) return;
  const std::u16string executable = shell_.ExecutablePath();
  if (executable.empty()) return;
  shell_.CreateShortcut(path, executable, *seconds > 0 ? DecimalText(*seconds) : std::u16string(),
                        ExecutableDirectory(executable));
}

}  // namespace peekbar
