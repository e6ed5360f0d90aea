// Options of the end-to-end driver, taken from its command line before
// GoogleTest sees it, and what they imply about the environment.
#pragma once

#include <string>

namespace e2e {

struct DriverOptions {
    std::wstring distDir;      // folder holding Peekbar.exe, Command.mp3, Readme.txt
    std::wstring layout;       // "one-monitor" or "two-monitors"
    std::wstring shotsDir;     // where the harness keeps screenshots (may be empty)
    std::wstring targetExe;    // the test program whose windows the tests register
    std::wstring desktopName;  // desktop the driven processes start on ("" = inherited)
    // A folder no program can write, and a writable folder it shows: what
    // is put into the source appears in the unwritable one. Both empty when
    // the session could not make one.
    std::wstring unwritableDir;
    std::wstring unwritableSourceDir;
};

// Removes --dist, --layout, --shots, --target, --unwritable and
// --unwritable-source (as "--name value" or "--name=value") from argv,
// stores them and returns false with a message in `error` when they are
// unusable. --target defaults to <dist>\..\Peekbar-test\peekbar_target.exe.
bool ParseDriverOptions(int& argc, wchar_t** argv, std::wstring& error);

const DriverOptions& Options();

// Joins the driver thread to the desktop named "shell" when it exists, so
// that the windows the driver looks for are on the desktop it searches, and
// remembers the name for the processes it starts. Must run before the thread
// owns any window.
void AttachToShellDesktop();

// Number of monitors the layout promises (1 or 2).
int ExpectedMonitorCount();
bool TwoMonitorLayout();

}  // namespace e2e
