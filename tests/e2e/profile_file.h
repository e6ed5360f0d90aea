// A profile file prepared before Peekbar starts, as a user would edit it:
// options, and keywords for edge locations.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "ini_file.h"

namespace e2e {

class ProfileFile {
public:
    // A key of section OPTION, or of another settings section.
    ProfileFile& Option(const std::wstring& key, int value) { return Value(L"OPTION", key, value); }
    ProfileFile& Value(const std::wstring& section, const std::wstring& key, int value);
    // KEYWORD_<location> and REG_EXP_<location> of section MONITOR_<monitor>.
    ProfileFile& Keyword(int monitor, int location, const std::wstring& keyword, bool regex = false);
    // HOTKEY_<location> of section MONITOR_<monitor>, as a hotkey control reports it.
    ProfileFile& Hotkey(int monitor, int location, WORD key);

    // Writes the file anew (UTF-16LE with a byte-order mark).
    bool Write(const std::wstring& path) const;

private:
    std::vector<std::pair<std::wstring, IniEntries>> sections_;  // in the order first set
    std::map<int, IniEntries> monitors_;
};

// Quick ticks and short delays, so that a show and a hide take well under a
// second, and messages in boxes (which the driver can read) rather than
// balloons.
ProfileFile QuickProfile();

}  // namespace e2e
