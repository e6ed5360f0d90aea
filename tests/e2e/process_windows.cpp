#include "process_windows.h"

#include <vector>

#include "driver_options.h"

namespace e2e {
namespace {

struct WindowSearch {
    DWORD processId;
    const std::wstring& className;
    const std::wstring& title;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectMatchingWindow(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId) return TRUE;
    wchar_t className[256] = {};
    wchar_t title[256] = {};
    GetClassNameW(window, className, 256);
    GetWindowTextW(window, title, 256);
    if (search->className == className && search->title == title) search->found.push_back(window);
    return TRUE;
}

}  // namespace

StartedProcess StartOnDriverDesktop(const std::wstring& exePath, const std::wstring& arguments,
                                    const std::wstring& workingFolder) {
    std::wstring commandLine = L"\"" + exePath + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    std::vector<wchar_t> commandBuffer(commandLine.begin(), commandLine.end());
    commandBuffer.push_back(L'\0');

    const std::wstring& desktop = Options().desktopName;
    std::vector<wchar_t> desktopBuffer(desktop.begin(), desktop.end());
    desktopBuffer.push_back(L'\0');

    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    if (!desktop.empty()) startup.lpDesktop = desktopBuffer.data();
    PROCESS_INFORMATION info = {};
    StartedProcess started;
    if (!CreateProcessW(exePath.c_str(), commandBuffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workingFolder.c_str(), &startup, &info)) {
        started.error = GetLastError();
        return started;
    }
    CloseHandle(info.hThread);
    started.handle = info.hProcess;
    started.id = info.dwProcessId;
    return started;
}

std::vector<HWND> FindTopLevelWindows(DWORD processId, const std::wstring& className, const std::wstring& title) {
    WindowSearch search{processId, className, title, {}};
    if (processId != 0) EnumWindows(CollectMatchingWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace e2e
