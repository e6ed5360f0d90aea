#include "installation.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <stdexcept>
#include <vector>

#include "driver_options.h"

namespace e2e {
namespace {

std::wstring LongPath(const std::wstring& path) {
    std::vector<wchar_t> buffer(MAX_PATH * 4);
    const DWORD length = GetLongPathNameW(path.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0 || length >= buffer.size()) return path;
    return std::wstring(buffer.data(), length);
}

std::wstring TemporaryFolder() {
    wchar_t tempPath[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, tempPath);
    if (length == 0 || length > MAX_PATH) throw std::runtime_error("GetTempPathW failed");
    return LongPath(tempPath);
}

std::wstring NewFolderIn(std::wstring base) {
    static unsigned counter = 0;
    if (base.back() != L'\\') base += L'\\';
    for (;;) {
        wchar_t name[64];
        std::swprintf(name, 64, L"peekbar-e2e-%lu-%u-%llu", GetCurrentProcessId(), ++counter,
                      static_cast<unsigned long long>(GetTickCount64()));
        const std::wstring folder = base + name;
        if (CreateDirectoryW(folder.c_str(), nullptr)) return folder;
        if (GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error("CreateDirectoryW failed");
    }
}

void CopyFolderFiles(const std::wstring& from, const std::wstring& to) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((from + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) throw std::runtime_error("distribution folder is empty");
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        const std::wstring source = from + L"\\" + found.cFileName;
        const std::wstring target = to + L"\\" + found.cFileName;
        if (!CopyFileW(source.c_str(), target.c_str(), TRUE)) {
            FindClose(search);
            throw std::runtime_error("CopyFileW failed");
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

}  // namespace

Installation::Installation() : Installation(TemporaryFolder()) {}

Installation::Installation(const std::wstring& parent) : folder_(NewFolderIn(parent)) {
    CopyFolderFiles(Options().distDir, folder_);
}

Installation::~Installation() {
    if (::testing::Test::HasFailure()) {
        std::printf("[ kept     ] %ls\n", folder_.c_str());
        return;
    }
    RemoveFolderTree(folder_);
}

std::wstring Installation::ExePath() const { return folder_ + L"\\Peekbar.exe"; }

std::wstring Installation::MainSettingsPath() const {
    return folder_ + L"\\" + UserName() + L"_Peekbar.ini";
}

std::wstring Installation::ProfilePath(unsigned k) const {
    return folder_ + L"\\" + UserName() + L"_Peekbar_" + std::to_wstring(k) + L".ini";
}

std::wstring UserName() {
    wchar_t name[128] = {};
    DWORD size = 128;
    if (!GetUserNameW(name, &size)) return L"";
    return name;
}

bool FileExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool RemoveFolderTree(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = folder + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveFolderTree(path);
            } else {
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    return RemoveDirectoryW(folder.c_str()) != 0;
}

}  // namespace e2e
