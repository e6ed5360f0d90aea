#include "win32/settings/ini_store.h"

#include <vector>

#include "core/settings/settings_file.h"
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

bool ReadWholeFile(const std::u16string& path, std::string& bytes) {
  HANDLE file = CreateFileW(Wide(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size{};
  bool read = GetFileSizeEx(file, &size) && size.QuadPart <= kLargestSettingsFile;
  if (read) {
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    DWORD got = 0;
    read = bytes.empty() || (ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) &&
                             got == bytes.size());
  }
  CloseHandle(file);
  return read;
}

}  // namespace

void IniStore::NormaliseEncoding(const std::u16string& path) {
  std::string bytes;
  if (!ReadWholeFile(path, bytes)) return;
  const std::optional<std::u16string> text = Utf8SettingsText(bytes);
  if (!text) return;
  // Written whole beside it first, then put in its place in one step: a
  // crash midway leaves either file as it was.
  const std::u16string temporary = path + u".converting";
  HANDLE file = CreateFileW(Wide(temporary), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  std::wstring content(1, static_cast<wchar_t>(0xFEFF));
  content += WideString(*text);
  const auto size = static_cast<DWORD>(content.size() * sizeof(wchar_t));
  DWORD written = 0;
  const bool saved = WriteFile(file, content.data(), size, &written, nullptr) && written == size && FlushFileBuffers(file);
  CloseHandle(file);
  if (!saved || !MoveFileExW(Wide(temporary), Wide(path), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileW(Wide(temporary));
  }
}

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
