// Reading and preparing settings files the way a user or another program
// would: raw bytes and text, no knowledge of Peekbar's own code.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace e2e {

using IniEntries = std::vector<std::pair<std::wstring, std::wstring>>;

// Writes `lines` (joined with CRLF) as a new UTF-16LE file with a byte-order
// mark, the encoding in which the platform's profile functions keep
// Japanese text intact whatever the system code page.
bool WriteUnicodeTextFile(const std::wstring& path, const std::vector<std::wstring>& lines);

// Sets one key with the platform's profile function, first creating the
// file as an empty UTF-16LE file with a byte-order mark if it is missing.
bool WriteIniValue(const std::wstring& path, const std::wstring& section, const std::wstring& key,
                   const std::wstring& value);

struct TextFile {
    bool exists = false;
    bool utf16Bom = false;  // begins with FF FE
    std::wstring text;      // decoded: UTF-16LE after a BOM, else the ANSI code page
};

TextFile ReadTextFile(const std::wstring& path);

// The key=value lines of `section` in file order, keys and values trimmed.
// Section names compare without regard to case, as the platform's do.
IniEntries SectionEntries(const std::wstring& text, const std::wstring& section);

std::optional<std::wstring> IniValue(const std::wstring& text, const std::wstring& section,
                                     const std::wstring& key);

}  // namespace e2e
