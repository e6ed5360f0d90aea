#include "win32/settings/ini_store.h"

#include <vector>

#include "win32/app/wide.h"

namespace peekbar::win32 {
namespace {

// The private-profile functions write a file they create in the system's ANSI
// code page, which loses every Japanese character on a non-Japanese system. A
// file that starts with a UTF-16LE byte-order mark is written and read as
// UTF-16, so a new settings file is created holding only that mark. Existing
// files are left in whatever encoding they have.
void CreateUtf16FileIfMissing(const std::u16string& path) {
  HANDLE file = CreateFileW(Wide(path), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;  // it exists, or cannot be made: the write will tell
  static const unsigned char kByteOrderMark[] = {0xFF, 0xFE};
  DWORD written = 0;
  WriteFile(file, kByteOrderMark, sizeof kByteOrderMark, &written, nullptr);
  CloseHandle(file);
}

// A settings file is a few kilobytes; anything past this is not one.
constexpr DWORD kLargestSettingsFile = 16u << 20;

}  // namespace

std::optional<std::string> IniStore::ReadFileBytes(const std::u16string& path) {
  // Shared as widely as possible: an editor that keeps the file open for
  // writing does not keep it from being read.
  HANDLE file = CreateFileW(Wide(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::optional<std::string> bytes;
  LARGE_INTEGER size{};
  if (GetFileSizeEx(file, &size) && size.QuadPart <= kLargestSettingsFile) {
    bytes.emplace(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD got = 0;
    if (!bytes->empty() &&
        (!ReadFile(file, bytes->data(), static_cast<DWORD>(bytes->size()), &got, nullptr) || got != bytes->size())) {
      bytes.reset();
    }
  }
  CloseHandle(file);
  return bytes;
}

bool IniStore::WriteFileBytes(const std::u16string& path, std::string_view bytes) {
  HANDLE file = CreateFileW(Wide(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const auto size = static_cast<DWORD>(bytes.size());
  DWORD written = 0;
  const bool saved = WriteFile(file, bytes.data(), size, &written, nullptr) && written == size && FlushFileBuffers(file);
  CloseHandle(file);
  return saved;
}

bool IniStore::RenameFile(const std::u16string& from, const std::u16string& to) {
  return MoveFileExW(Wide(from), Wide(to), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool IniStore::FileExists(const std::u16string& path) {
  const DWORD attributes = GetFileAttributesW(Wide(path));
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

void IniStore::RemoveFile(const std::u16string& path) { DeleteFileW(Wide(path)); }

std::int32_t IniStore::ReadInt(const std::u16string& path, std::u16string_view section, std::u16string_view key,
                               std::int32_t defaultValue) {
  const std::wstring s = WideString(section);
  const std::wstring k = WideString(key);
  return static_cast<std::int32_t>(GetPrivateProfileIntW(s.c_str(), k.c_str(), defaultValue, Wide(path)));
}

std::u16string IniStore::ReadText(const std::u16string& path, std::u16string_view section, std::u16string_view key,
                                  std::u16string_view defaultValue, std::size_t capacity) {
  const std::wstring s = WideString(section);
  const std::wstring k = WideString(key);
  const std::wstring d = WideString(defaultValue);
  std::vector<wchar_t> buffer(capacity, L'\0');
  const DWORD length = GetPrivateProfileStringW(s.c_str(), k.c_str(), d.c_str(), buffer.data(),
                                                static_cast<DWORD>(capacity), Wide(path));
  return Utf16(buffer.data(), length);
}

bool IniStore::WriteText(const std::u16string& path, std::u16string_view section, std::u16string_view key,
                         std::u16string_view value) {
  CreateUtf16FileIfMissing(path);
  const std::wstring s = WideString(section);
  const std::wstring k = WideString(key);
  const std::wstring v = WideString(value);
  return WritePrivateProfileStringW(s.c_str(), k.c_str(), v.c_str(), Wide(path)) != FALSE;
}

}  // namespace peekbar::win32
