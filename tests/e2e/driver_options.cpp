#include "driver_options.h"

#include <windows.h>

#include <cwchar>

namespace e2e {
namespace {

DriverOptions options;

// Takes the value of option `name` at argv[i] when it is there, in either
// form, and tells how many argv entries it used (0 when not this option).
int TakeOption(const wchar_t* name, int argc, wchar_t** argv, int i, std::wstring& value) {
    const size_t nameLength = std::wcslen(name);
    const wchar_t* arg = argv[i];
    if (std::wcsncmp(arg, name, nameLength) != 0) return 0;
    if (arg[nameLength] == L'=') {
        value = arg + nameLength + 1;
        return 1;
    }
    if (arg[nameLength] == L'\0' && i + 1 < argc) {
        value = argv[i + 1];
        return 2;
    }
    return 0;
}

std::wstring WithoutTrailingSeparator(std::wstring path) {
    while (path.size() > 3 && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
    return path;
}

}  // namespace

bool ParseDriverOptions(int& argc, wchar_t** argv, std::wstring& error) {
    int kept = 1;
    for (int i = 1; i < argc;) {
        int used = TakeOption(L"--dist", argc, argv, i, options.distDir);
        if (!used) used = TakeOption(L"--layout", argc, argv, i, options.layout);
        if (!used) used = TakeOption(L"--shots", argc, argv, i, options.shotsDir);
        if (!used) used = TakeOption(L"--target", argc, argv, i, options.targetExe);
        if (!used) used = TakeOption(L"--unwritable-source", argc, argv, i, options.unwritableSourceDir);
        if (!used) used = TakeOption(L"--unwritable", argc, argv, i, options.unwritableDir);
        if (used) {
            i += used;
        } else {
            argv[kept++] = argv[i++];
        }
    }
    argc = kept;
    argv[argc] = nullptr;

    options.distDir = WithoutTrailingSeparator(options.distDir);
    options.shotsDir = WithoutTrailingSeparator(options.shotsDir);
    options.unwritableDir = WithoutTrailingSeparator(options.unwritableDir);
    options.unwritableSourceDir = WithoutTrailingSeparator(options.unwritableSourceDir);
    if (options.unwritableDir.empty() != options.unwritableSourceDir.empty()) {
        error = L"--unwritable and --unwritable-source go together";
        return false;
    }
    if (options.layout.empty()) options.layout = L"one-monitor";

    if (options.distDir.empty()) {
        error = L"--dist <folder holding Peekbar.exe> is required";
        return false;
    }
    const std::wstring exe = options.distDir + L"\\Peekbar.exe";
    if (GetFileAttributesW(exe.c_str()) == INVALID_FILE_ATTRIBUTES) {
        error = L"no Peekbar.exe in " + options.distDir;
        return false;
    }
    if (options.targetExe.empty()) {
        const size_t separator = options.distDir.find_last_of(L"\\/");
        const std::wstring parent = separator == std::wstring::npos ? L"." : options.distDir.substr(0, separator);
        options.targetExe = parent + L"\\Peekbar-test\\peekbar_target.exe";
    }
    if (GetFileAttributesW(options.targetExe.c_str()) == INVALID_FILE_ATTRIBUTES) {
        error = L"no test program " + options.targetExe + L" (give it with --target)";
        return false;
    }
    if (options.layout != L"one-monitor" && options.layout != L"two-monitors") {
        error = L"--layout must be one-monitor or two-monitors";
        return false;
    }
    return true;
}

const DriverOptions& Options() { return options; }

void AttachToShellDesktop() {
    HDESK desktop = OpenDesktopW(L"shell", 0, FALSE, GENERIC_ALL);
    if (!desktop) return;
    if (SetThreadDesktop(desktop)) {
        options.desktopName = L"shell";
    } else {
        CloseDesktop(desktop);
    }
}

int ExpectedMonitorCount() { return TwoMonitorLayout() ? 2 : 1; }

bool TwoMonitorLayout() { return options.layout == L"two-monitors"; }

}  // namespace e2e
