// Other processes on the driver's desktop: starting them there and finding
// their top-level windows, hidden ones included.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

struct StartedProcess {
    HANDLE handle = nullptr;  // null when the start failed; the caller closes it
    DWORD id = 0;
    DWORD error = 0;          // GetLastError of a failed start
};

// Starts `exePath` with `arguments` (the text after the program name) in
// `workingFolder`, on the desktop the driver works on.
StartedProcess StartOnDriverDesktop(const std::wstring& exePath, const std::wstring& arguments,
                                    const std::wstring& workingFolder);

// The top-level windows of process `processId` with exactly this class name
// and title, in z-order.
std::vector<HWND> FindTopLevelWindows(DWORD processId, const std::wstring& className, const std::wstring& title);

}  // namespace e2e
