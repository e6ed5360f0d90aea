// peekbar_e2e: drives a real Peekbar.exe from outside, as a user or another
// program would.
//
//   peekbar_e2e --dist <folder with Peekbar.exe> [--layout one-monitor|two-monitors]
//               [--shots <folder>] [--target <peekbar_target.exe>] [GoogleTest options]
//
// --target defaults to Peekbar-test\peekbar_target.exe beside the dist folder.
//
//   peekbar_e2e --exit-peekbar
//
// ends every Peekbar on the desktop "shell" (or the driver's own) by its exit
// command and waits for each to end; exit code 0 when all did. scripts/run
// ends Peekbar so before it stops Wine, which would leave its journal behind.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "driver_options.h"
#include "peekbar_process.h"
#include "session_check.h"

int wmain(int argc, wchar_t** argv) {
    if (argc == 2 && std::wstring(argv[1]) == L"--exit-peekbar") {
        e2e::AttachToShellDesktop();
        return e2e::ExitEveryPeekbar() == 0 ? 0 : 1;
    }
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
