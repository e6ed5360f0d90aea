// Keeps an existing file open for reading and writing, sharing only what
// `share` allows (nothing by default: no other process can open it at all)
// until the lock is released.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

class FileLock {
public:
    explicit FileLock(const std::wstring& path, DWORD share = 0)
        : handle_(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, share, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~FileLock() { Release(); }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool Held() const { return handle_ != INVALID_HANDLE_VALUE; }

    void Release() {
        if (Held()) CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE handle_;
};

}  // namespace e2e
