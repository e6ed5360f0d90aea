#include "win32/app/win32_shell.h"

#include <shellapi.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <shlwapi.h>

#include <algorithm>

#include "core/tray/tray_icon.h"
#include "win32/app/wide.h"

namespace peekbar::win32 {
namespace {

constexpr UINT kMainTimer = 1;

template <std::size_t N>
void CopyCut(wchar_t (&target)[N], std::u16string_view text) {
  const std::size_t length = std::min(text.size(), N - 1);
  std::copy_n(reinterpret_cast<const wchar_t*>(text.data()), length, target);
  target[length] = L'\0';
}

UINT MessageBoxIcon(MessageIcon icon) { return icon == MessageIcon::Error ? MB_ICONERROR : MB_ICONINFORMATION; }

}  // namespace

bool Win32Shell::NotifyIcon(TrayAction action, const TrayIconRecord& record) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = mainWindow_;
  data.uID = kTrayIconId;
  data.uFlags = record.flags;
  data.uCallbackMessage = kTrayCallbackMessage;
  if (record.iconResource != 0) {
    data.hIcon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(record.iconResource),
                                               IMAGE_ICON, 0, 0, LR_SHARED));
  }
  CopyCut(data.szTip, record.tip);
  data.dwInfoFlags = record.infoFlags;
  CopyCut(data.szInfoTitle, record.infoTitle);
  CopyCut(data.szInfo, record.info);
  DWORD message = NIM_MODIFY;
  if (action == TrayAction::Add) message = NIM_ADD;
  if (action == TrayAction::Delete) message = NIM_DELETE;
  return Shell_NotifyIconW(message, &data) != FALSE;
}

void Win32Shell::ShowMessageBox(WindowHandle owner, std::u16string_view text, MessageIcon icon) {
  const std::wstring body = WideString(text);
  MessageBoxW(ToHwnd(owner), body.c_str(), L"Peekbar", MB_OK | MessageBoxIcon(icon));
}

void Win32Shell::StartTimer(std::uint32_t intervalMs) { SetTimer(mainWindow_, kMainTimer, intervalMs, nullptr); }

void Win32Shell::StopTimer() { KillTimer(mainWindow_, kMainTimer); }

void Win32Shell::PostClose() { PostMessageW(mainWindow_, WM_CLOSE, 0, 0); }

std::u16string Win32Shell::ExecutablePath() {
  wchar_t path[MAX_PATH + 1] = {};
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH + 1);
  if (length == 0 || length > MAX_PATH) return {};
  return Utf16(path, length);
}

std::u16string Win32Shell::UserName() {
  wchar_t name[128] = {};
  DWORD size = 128;
  if (!GetUserNameW(name, &size)) return {};
  return Utf16(name);
}

void Win32Shell::OpenDocument(const std::u16string& path) {
  ShellExecuteW(mainWindow_, L"open", Wide(path), nullptr, nullptr, SW_SHOWNORMAL);
}

std::u16string Win32Shell::StartupFolder() {
  wchar_t folder[MAX_PATH] = {};
  if (!SHGetSpecialFolderPathW(nullptr, folder, CSIDL_STARTUP, FALSE)) return {};
  return Utf16(folder);
}

bool Win32Shell::FileExists(const std::u16string& path) { return PathFileExistsW(Wide(path)) != FALSE; }

bool Win32Shell::RemoveFile(const std::u16string& path) { return DeleteFileW(Wide(path)) != FALSE; }

bool Win32Shell::CreateShortcut(const std::u16string& linkPath, const std::u16string& target,
                                const std::u16string& arguments, const std::u16string& workingDirectory) {
  // The thread may already be in the multithreaded apartment (the sound's
  // player puts it there); the shell link works in either.
  const HRESULT com = CoInitialize(nullptr);
  if (FAILED(com) && com != RPC_E_CHANGED_MODE) return false;
  bool saved = false;
  IShellLinkW* link = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                 reinterpret_cast<void**>(&link)))) {
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
        SUCCEEDED(link->SetPath(Wide(target)))) {
      if (!arguments.empty()) link->SetArguments(Wide(arguments));
      link->SetShowCmd(SW_SHOW);
      link->SetWorkingDirectory(Wide(workingDirectory));
      link->SetIconLocation(Wide(target), 0);
      link->SetHotkey(0);
      link->SetDescription(L"");
      saved = SUCCEEDED(file->Save(Wide(linkPath), TRUE));
    }
    if (file != nullptr) file->Release();
    link->Release();
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return saved;
}

void ShowStartupError(std::u16string_view text) {
  const std::wstring body = WideString(text);
  MessageBoxW(nullptr, body.c_str(), L"Peekbar", MB_OK | MB_ICONERROR);
}

}  // namespace peekbar::win32
