#include "profile_file.h"

#include <algorithm>

namespace e2e {

ProfileFile& ProfileFile::Value(const std::wstring& section, const std::wstring& key, int value) {
    auto named = std::find_if(sections_.begin(), sections_.end(), [&](const auto& s) { return s.first == section; });
    if (named == sections_.end()) named = sections_.insert(sections_.end(), {section, {}});
    IniEntries& entries = named->second;
    const auto entry = std::find_if(entries.begin(), entries.end(), [&](const auto& e) { return e.first == key; });
    if (entry != entries.end()) {
        entry->second = std::to_wstring(value);
    } else {
        entries.emplace_back(key, std::to_wstring(value));
    }
    return *this;
}

ProfileFile& ProfileFile::Keyword(int monitor, int location, const std::wstring& keyword, bool regex) {
    IniEntries& entries = monitors_[monitor];
    entries.emplace_back(L"KEYWORD_" + std::to_wstring(location), keyword);
    entries.emplace_back(L"REG_EXP_" + std::to_wstring(location), regex ? L"1" : L"0");
    return *this;
}

ProfileFile& ProfileFile::Hotkey(int monitor, int location, WORD key) {
    monitors_[monitor].emplace_back(L"HOTKEY_" + std::to_wstring(location), std::to_wstring(key));
    return *this;
}

bool ProfileFile::Write(const std::wstring& path) const {
    std::vector<std::wstring> lines;
    const auto section = [&](const std::wstring& name, const IniEntries& entries) {
        lines.push_back(L"[" + name + L"]");
        for (const auto& [key, value] : entries) lines.push_back(key + L"=" + value);
    };
    for (const auto& [name, entries] : sections_) section(name, entries);
    for (const auto& [monitor, entries] : monitors_) section(L"MONITOR_" + std::to_wstring(monitor), entries);
    return WriteUnicodeTextFile(path, lines);
}

ProfileFile QuickProfile() {
    ProfileFile profile;
    profile.Option(L"TIMER_INTERVAL", 100).Option(L"SHOWING_DELAY", 250).Option(L"HIDDEN_DELAY", 300);
    profile.Option(L"BALLOON", 0);
    return profile;
}

}  // namespace e2e
