#include "message_box.h"

#include "process_windows.h"

namespace e2e {
namespace {

std::wstring ClassNameOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

// The text of a window of another process, through the message the system
// marshals between processes.
std::wstring TextOf(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kEventTimeoutMs, &length)) {
        return L"";
    }
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, kEventTimeoutMs, &copied)) {
        return L"";
    }
    text.resize(copied);
    return text;
}

std::wstring WithLfLineBreaks(std::wstring text) {
    for (size_t at = text.find(L"\r\n"); at != std::wstring::npos; at = text.find(L"\r\n", at)) {
        text.erase(at, 1);
    }
    return text;
}

BOOL CALLBACK CollectStatic(HWND window, LPARAM context) {
    if (ClassNameOf(window) == L"Static") reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
    return TRUE;
}

}  // namespace

std::vector<HWND> FindDialogs(DWORD processId, const std::wstring& caption) {
    return FindTopLevelWindows(processId, L"#32770", caption);
}

HWND WaitForDialog(DWORD processId, const std::wstring& caption, DWORD timeoutMs) {
    HWND dialog = nullptr;
    WaitUntil([&] {
        const std::vector<HWND> dialogs = FindDialogs(processId, caption);
        dialog = dialogs.empty() ? nullptr : dialogs.front();
        // A dialog is shown only once it has been filled in: before that its
        // controls may still be empty and what is typed would be overwritten.
        return dialog != nullptr && IsWindowVisible(dialog);
    }, timeoutMs);
    return dialog;
}

std::wstring MessageBoxText(HWND box) {
    std::vector<HWND> statics;
    EnumChildWindows(box, CollectStatic, reinterpret_cast<LPARAM>(&statics));
    for (HWND control : statics) {
        std::wstring text = TextOf(control);
        if (!text.empty()) return WithLfLineBreaks(text);
    }
    return L"";
}

void DismissMessageBox(HWND box) {
    HWND okButton = GetDlgItem(box, IDOK);
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(okButton));
}

}  // namespace e2e
