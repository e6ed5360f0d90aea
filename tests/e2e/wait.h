// Waiting for things to happen in another process: poll until a condition
// holds or a generous deadline passes. A deadline is a limit on patience,
// never a claim about speed.
#pragma once

#include <windows.h>

namespace e2e {

// Generous limits for events of the driven program under Wine.
constexpr DWORD kStartTimeoutMs = 20000;   // process start to main window
constexpr DWORD kExitTimeoutMs = 10000;    // exit request to process end
constexpr DWORD kEventTimeoutMs = 10000;   // a box, an icon, a file change
constexpr DWORD kPollIntervalMs = 25;
// For a wait that is measured: the usual step would round it up.
constexpr DWORD kTimingPollIntervalMs = 2;

// Polls `condition` until it returns true (then true) or `timeoutMs` has
// passed (then false, after one last try).
template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs = kEventTimeoutMs, DWORD pollMs = kPollIntervalMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition()) return true;
        if (GetTickCount64() >= deadline) return condition();
        Sleep(pollMs);
    }
}

// Polls `condition` for `durationMs`: false as soon as it fails once. For
// things that must not happen, such as a window coming up.
template <typename Condition>
bool HoldsFor(Condition condition, DWORD durationMs) {
    const ULONGLONG end = GetTickCount64() + durationMs;
    for (;;) {
        if (!condition()) return false;
        if (GetTickCount64() >= end) return true;
        Sleep(kPollIntervalMs);
    }
}

}  // namespace e2e
