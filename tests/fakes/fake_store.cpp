#include "fakes/fake_store.h"

#include <algorithm>
#include <limits>

#include "core/base/text.h"
#include "core/settings/settings_file.h"

namespace peekbar {
namespace {

char16_t AsciiLower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; }

bool SameName(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

// Values come back without the blanks around them, as from an INI file.
std::u16string_view Trimmed(std::u16string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// The number at the start of the value, in the manner of GetPrivateProfileIntW:
// an optional sign and decimal digits; anything else reads as 0.
std::int32_t LeadingNumber(std::u16string_view text) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) negative = text[i++] == u'-';
  std::int64_t value = 0;
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
    value = value * 10 + (text[i] - u'0');
    if (value > std::numeric_limits<std::uint32_t>::max()) value = std::numeric_limits<std::uint32_t>::max();
  }
  // The platform returns an unsigned value that the program reads as signed.
  const auto bits = static_cast<std::uint32_t>(negative ? -value : value);
  return static_cast<std::int32_t>(bits);
}

// The text of a file's bytes, as the private-profile functions read it.
std::u16string TextOfBytes(std::string_view bytes) {
  std::u16string text;
  if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
      text += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8);
    }
  } else {
    for (const char byte : bytes) text += static_cast<char16_t>(static_cast<unsigned char>(byte));
  }
  return text;
}

}  // namespace

void FakeSettingsStore::SetBytes(const std::u16string& path, std::string_view bytes) {
  files_[path].clear();
  std::u16string section;
  const std::u16string text = TextOfBytes(bytes);
  std::u16string_view rest = text;
  while (!rest.empty()) {
    const std::size_t end = std::min(rest.find(u'\n'), rest.size());
    std::u16string_view line = rest.substr(0, end);
    rest.remove_prefix(std::min(end + 1, rest.size()));
    if (!line.empty() && line.back() == u'\r') line.remove_suffix(1);
    const std::size_t equals = line.find(u'=');
    if (line.size() >= 2 && line.front() == u'[' && line.back() == u']') {
      section = line.substr(1, line.size() - 2);
    } else if (equals != std::u16string_view::npos && !section.empty()) {
      Store(path, section, Trimmed(line.substr(0, equals)), line.substr(equals + 1));
    }
  }
  bytes_[path] = bytes;
}

std::optional<std::string> FakeSettingsStore::Bytes(const std::u16string& path) const {
  if (const auto raw = bytes_.find(path); raw != bytes_.end()) return raw->second;
  const auto file = files_.find(path);
  if (file == files_.end()) return std::nullopt;
  std::u16string text;
  for (const Section& s : file->second) {
    text += u"[" + s.name + u"]\r\n";
    for (const auto& [key, value] : s.entries) text += key + u"=" + value + u"\r\n";
  }
  return Utf16SettingsBytes(text);
}

void FakeSettingsStore::Store(const std::u16string& path, std::u16string_view section, std::u16string_view key,
                              std::u16string_view value) {
  File& file = files_[path];
  Section* target = nullptr;
  for (Section& s : file) {
    if (SameName(s.name, section)) target = &s;
  }
  if (target == nullptr) target = &file.emplace_back(Section{std::u16string(section), {}});
  for (auto& entry : target->entries) {
    if (SameName(entry.first, key)) {
      entry.second = value;
      return;
    }
  }
  target->entries.emplace_back(std::u16string(key), std::u16string(value));
}

void FakeSettingsStore::Set(const std::u16string& path, std::u16string_view section, std::u16string_view key,
                            std::u16string_view value) {
  Store(path, section, key, value);
}

void FakeSettingsStore::SetInt(const std::u16string& path, std::u16string_view section, std::u16string_view key,
                               std::int64_t value) {
  Store(path, section, key, Utf16FromUtf8(std::to_string(value)));
}

void FakeSettingsStore::FailWritesTo(const std::u16string& path, bool fail) {
  if (fail) {
    failingPaths_.insert(path);
  } else {
    failingPaths_.erase(path);
  }
}

const std::u16string* FakeSettingsStore::Lookup(const std::u16string& path, std::u16string_view section,
                                                std::u16string_view key) const {
  const auto file = files_.find(path);
  if (file == files_.end()) return nullptr;
  for (const Section& s : file->second) {
    if (!SameName(s.name, section)) continue;
    for (const auto& entry : s.entries) {
      if (SameName(entry.first, key)) return &entry.second;
    }
  }
  return nullptr;
}

std::optional<std::u16string> FakeSettingsStore::Get(const std::u16string& path, std::u16string_view section,
                                                     std::u16string_view key) const {
  const std::u16string* value = Lookup(path, section, key);
  if (value == nullptr) return std::nullopt;
  return *value;
}

std::vector<std::u16string> FakeSettingsStore::Keys(const std::u16string& path, std::u16string_view section) const {
  std::vector<std::u16string> keys;
  const auto file = files_.find(path);
  if (file == files_.end()) return keys;
  for (const Section& s : file->second) {
    if (!SameName(s.name, section)) continue;
    for (const auto& entry : s.entries) keys.push_back(entry.first);
  }
  return keys;
}

std::vector<std::string> FakeSettingsStore::WriteLog() const {
  std::vector<std::string> lines;
  for (const Write& w : writes_) {
    std::string line = w.succeeded ? "" : "!";
    line.append(Utf8FromUtf16(w.section)).append("/").append(Utf8FromUtf16(w.key));
    line.append("=").append(Utf8FromUtf16(w.value));
    lines.push_back(std::move(line));
  }
  return lines;
}

std::int32_t FakeSettingsStore::ReadInt(const std::u16string& path, std::u16string_view section,
                                        std::u16string_view key, std::int32_t defaultValue) {
  NoteRead(path);
  const std::u16string* value = Lookup(path, section, key);
  if (value == nullptr) return defaultValue;
  const std::u16string_view text = Trimmed(*value);
  // An empty value reads as the default, as the platform does.
  if (text.empty()) return defaultValue;
  return LeadingNumber(text);
}

std::u16string FakeSettingsStore::ReadText(const std::u16string& path, std::u16string_view section,
                                           std::u16string_view key, std::u16string_view defaultValue,
                                           std::size_t capacity) {
  NoteRead(path);
  if (capacity == 0) return {};
  const std::u16string* value = Lookup(path, section, key);
  const std::u16string_view text = value != nullptr ? Trimmed(*value) : Trimmed(defaultValue);
  return std::u16string(text.substr(0, capacity - 1));
}

bool FakeSettingsStore::WriteText(const std::u16string& path, std::u16string_view section, std::u16string_view key,
                                  std::u16string_view value) {
  const bool ok = failingPaths_.count(path) == 0 && failingKeys_.count(key) == 0;
  writes_.push_back({path, std::u16string(section), std::u16string(key), std::u16string(value), ok});
  if (ok) {
    Store(path, section, key, value);
    bytes_.erase(path);
  }
  return ok;
}

namespace {
std::string FileName(const std::u16string& path) {
  const std::size_t slash = path.find_last_of(u'\\');
  return Utf8FromUtf16(slash == std::u16string::npos ? path : path.substr(slash + 1));
}
}  // namespace

std::optional<std::string> FakeSettingsStore::ReadFileBytes(const std::u16string& path) {
  accesses_.push_back(FileName(path));
  return Bytes(path);
}

bool FakeSettingsStore::WriteFileBytes(const std::u16string& path, std::string_view bytes) {
  if (failingPaths_.count(path) != 0) return false;
  SetBytes(path, bytes);
  return true;
}

bool FakeSettingsStore::RenameFile(const std::u16string& from, const std::u16string& to) {
  if (!HasFile(from) || failingPaths_.count(from) != 0 || failingPaths_.count(to) != 0) return false;
  files_[to] = std::move(files_[from]);
  files_.erase(from);
  bytes_.erase(to);
  if (const auto raw = bytes_.find(from); raw != bytes_.end()) {
    bytes_[to] = std::move(raw->second);
    bytes_.erase(from);
  }
  return true;
}

void FakeSettingsStore::RemoveFile(const std::u16string& path) {
  files_.erase(path);
  bytes_.erase(path);
}

void FakeSettingsStore::NoteRead(const std::u16string& path) {
  ++reads_;
  const std::string read = "read " + FileName(path);
  if (accesses_.empty() || accesses_.back() != read) accesses_.push_back(read);
}

}  // namespace peekbar
