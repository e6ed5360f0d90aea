#include "ini_file.h"

#include <windows.h>

namespace e2e {
namespace {

std::wstring Trim(const std::wstring& text) {
    const wchar_t* blanks = L" \t\r\n";
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::wstring::npos) return L"";
    const size_t last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

bool EqualNoCase(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

std::vector<std::wstring> SplitLines(const std::wstring& text) {
    std::vector<std::wstring> lines;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t end = text.find(L'\n', start);
        lines.push_back(text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start));
        if (end == std::wstring::npos) break;
        start = end + 1;
    }
    return lines;
}

bool WriteBytes(const std::wstring& path, const void* data, DWORD size) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, data, size, &written, nullptr) && written == size;
    CloseHandle(file);
    return ok;
}

}  // namespace

bool WriteUnicodeTextFile(const std::wstring& path, const std::vector<std::wstring>& lines) {
    std::wstring content = L"\xFEFF";
    for (const std::wstring& line : lines) content += line + L"\r\n";
    return WriteBytes(path, content.data(), static_cast<DWORD>(content.size() * sizeof(wchar_t)));
}

bool WriteIniValue(const std::wstring& path, const std::wstring& section, const std::wstring& key,
                   const std::wstring& value) {
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES &&
        !WriteUnicodeTextFile(path, {})) {
        return false;
    }
    return WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), path.c_str()) != 0;
}

TextFile ReadTextFile(const std::wstring& path) {
    TextFile result;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return result;
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
    CloseHandle(file);
    result.exists = true;

    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        result.utf16Bom = true;
        result.text.assign(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / 2);
        return result;
    }
    if (bytes.empty()) return result;
    const int length = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    result.text.resize(length);
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), result.text.data(), length);
    return result;
}

IniEntries SectionEntries(const std::wstring& text, const std::wstring& section) {
    IniEntries entries;
    bool inSection = false;
    for (const std::wstring& rawLine : SplitLines(text)) {
        const std::wstring line = Trim(rawLine);
        if (line.empty() || line[0] == L';') continue;
        if (line.front() == L'[') {
            const size_t close = line.find(L']');
            inSection = close != std::wstring::npos && EqualNoCase(Trim(line.substr(1, close - 1)), section);
            continue;
        }
        if (!inSection) continue;
        const size_t equals = line.find(L'=');
        if (equals == std::wstring::npos) {
            entries.emplace_back(line, L"");
        } else {
            entries.emplace_back(Trim(line.substr(0, equals)), Trim(line.substr(equals + 1)));
        }
    }
    return entries;
}

std::optional<std::wstring> IniValue(const std::wstring& text, const std::wstring& section,
                                     const std::wstring& key) {
    for (const auto& [name, value] : SectionEntries(text, section)) {
        if (EqualNoCase(name, key)) return value;
    }
    return std::nullopt;
}

}  // namespace e2e
