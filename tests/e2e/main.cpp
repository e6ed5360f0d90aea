// peekbar_e2e: drives a real Peekbar.exe from outside, as a user or another
// program would.
//
//   peekbar_e2e --dist <folder with Peekbar.exe> [--layout one-monitor|two-monitors]
//               [--shots <folder>] [--target <peekbar_target.exe>] [GoogleTest options]
//
// --target defaults to Peekbar-test\peekbar_target.exe beside the dist folder.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "driver_options.h"
#include "session_check.h"

int wmain(int argc, wchar_t** argv) {
    std::wstring error;
    if (!e2e::ParseDriverOptions(argc, argv, error)) {
        std::fprintf(stderr, "peekbar_e2e: %ls\n", error.c_str());
        return 2;
    }
    e2e::AttachToShellDesktop();
    testing::InitGoogleTest(&argc, argv);
    std::printf("[ driver   ] dist %ls, target %ls, layout %ls, desktop %ls\n", e2e::Options().distDir.c_str(),
                e2e::Options().targetExe.c_str(), e2e::Options().layout.c_str(),
                e2e::Options().desktopName.empty() ? L"(inherited)" : e2e::Options().desktopName.c_str());
    testing::AddGlobalTestEnvironment(new e2e::SessionCheck);  // owned by GoogleTest
    return RUN_ALL_TESTS();
}
