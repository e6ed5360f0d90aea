// Message boxes of another process: found by caption and owner process,
// read through their text control, answered with their default button.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "wait.h"

namespace e2e {

// Visible or not, the top-level dialogs (class "#32770") of process
// `processId` whose title is `caption`.
std::vector<HWND> FindDialogs(DWORD processId, const std::wstring& caption);

// Waits for a dialog titled `caption` of process `processId` to be shown
// (filled in and ready for input); null on timeout.
HWND WaitForDialog(DWORD processId, const std::wstring& caption, DWORD timeoutMs = kEventTimeoutMs);

// The message of a message box: the text of its static control that has
// text, with CR LF line breaks turned into LF.
std::wstring MessageBoxText(HWND box);

// Answers a message box with OK.
void DismissMessageBox(HWND box);

}  // namespace e2e
