#include "reference_registration.h"

#include <boost/regex.hpp>

#include <cstring>
#include <regex>

#include "core/registration/ecmascript_regex.h"

namespace peekbar::reference {
namespace {

void CopyCut(char16_t (&out)[128], const std::u16string& text) {
  const std::size_t n = text.size() < 127 ? text.size() : 127;
  std::memcpy(out, text.data(), n * sizeof(char16_t));
  out[n] = u'\0';
}

std::size_t Length(const char16_t* s) {
  std::size_t n = 0;
  while (s[n] != u'\0') ++n;
  return n;
}

}  // namespace

bool RecursiveWildcard(const char16_t* p, const char16_t* s) {
  while (true) {
    if (*s == u'\0') return *p == u'\0';
    if (*p == u'\0') return false;
    if (*p == u'*') {
      if (p[1] == u'\0') return true;
      if (RecursiveWildcard(p, s + 1)) return true;
      return RecursiveWildcard(p + 1, s);
    }
    if (*p != u'?' && *p != *s) return false;
    ++p;
    ++s;
  }
}

bool PerCandidateRegex(std::u16string_view pattern, std::u16string_view text) {
  try {
    // One wchar_t per UTF-16 unit.
    const std::wstring p(pattern.begin(), pattern.end());
    const std::wstring t(text.begin(), text.end());
    const std::wregex expression(p, std::regex_constants::ECMAScript);
    return std::regex_match(t, expression, std::regex_constants::match_default);
  } catch (...) {
    return false;
  }
}

struct RegexAsBefore::Compiled {
  std::u16string required;
  boost::wregex expression;
  std::optional<boost::wregex> singleLine;
};

namespace {

boost::wregex CompiledAsBefore(const std::string& perl) {
  return boost::wregex(std::wstring(perl.begin(), perl.end()),
                       boost::regex_constants::perl | boost::regex_constants::mod_s);
}

}  // namespace

RegexAsBefore::RegexAsBefore(std::u16string_view keyword) {
  const TranslatedRegex translated = TranslateEcmaScriptRegex(keyword);
  if (translated.fault != RegexFault::None) return;
  compiled_ = std::make_unique<Compiled>();
  compiled_->required = translated.requiredLiteral;
  compiled_->expression = CompiledAsBefore(translated.pattern);
  if (!translated.singleLinePattern.empty()) compiled_->singleLine = CompiledAsBefore(translated.singleLinePattern);
}

RegexAsBefore::~RegexAsBefore() = default;

std::optional<bool> RegexAsBefore::Match(std::u16string_view label) const {
  if (!compiled_) return false;
  // The same prefilter and single-line form as the bounded matcher.
  if (!compiled_->required.empty() && label.find(compiled_->required) == std::u16string_view::npos) return false;
  const bool singleLine = compiled_->singleLine && label.find_first_of(u"\n\r\u2028\u2029") == std::u16string_view::npos;
  try {
    return boost::regex_match(std::wstring(label.begin(), label.end()),
                              singleLine ? *compiled_->singleLine : compiled_->expression);
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

std::size_t Registration::CollectWindows() {
  std::size_t count = 0;
  const auto room = [&] {
    if (count >= list_.size()) list_.resize(list_.size() + 256, Entry{});
  };
  for (const Monitor& monitor : monitors_) {
    for (const Location& location : monitor) {
      if (location.window == kNoWindow) continue;
      bool listed = false;
      for (std::size_t i = 0; i < count; ++i) listed = listed || list_[i].window == location.window;
      if (listed) continue;
      room();
      list_[count].window = location.window;
      CopyCut(list_[count].title, desktop_.WindowTitle(location.window, 128));
      CopyCut(list_[count].className, desktop_.WindowClassName(location.window, 128));
      ++count;
    }
  }
  desktop_.EnumerateTopLevelWindows([&](WindowHandle window) {
    if (!desktop_.IsWindowVisible(window)) return true;
    if (desktop_.WindowProcessId(window) == desktop_.OwnProcessId()) return true;  // never the program's own
    room();
    CopyCut(list_[count].title, desktop_.WindowTitle(window, 128));
    list_[count].window = window;
    CopyCut(list_[count].className, desktop_.WindowClassName(window, 128));
    ++count;
    return true;
  });
  return count;
}

void Registration::ReleaseWindow(std::size_t monitor, std::size_t location) {
  const WindowHandle window = monitors_[monitor][location].window;
  if (window == kNoWindow) return;
  for (std::size_t m = 0; m < monitors_.size(); ++m) {
    for (std::size_t l = 0; l < 16; ++l) {
      if ((m != monitor || l != location) && monitors_[m][l].window == window) return;
    }
  }
  Placement p;
  p.zOrder = ZOrder::NotTopmost;
  p.show = true;
  p.async = true;
  desktop_.PlaceWindow(window, p);
}

void Registration::RegisterByKeyword(std::size_t monitor, std::size_t location) {
  Location& here = monitors_[monitor][location];
  if (here.keyword.empty()) {
    ReleaseWindow(monitor, location);
    here.window = kNoWindow;
    return;
  }
  const std::size_t n = CollectWindows();
  std::u16string keyword = here.keyword;  // NUL-terminated for the recursion
  for (std::size_t i = 0; i < n; ++i) {
    // The shell's taskbars and desktop are never taken by a keyword.
    const std::u16string_view cls(list_[i].className);
    if (cls == u"Shell_TrayWnd" || cls == u"Shell_SecondaryTrayWnd" || cls == u"Progman" || cls == u"WorkerW") {
      continue;
    }
    char16_t label[512];
    const std::size_t t = Length(list_[i].title);
    const std::size_t c = Length(list_[i].className);
    std::memcpy(label, list_[i].title, t * sizeof(char16_t));
    label[t] = u'（';
    std::memcpy(label + t + 1, list_[i].className, c * sizeof(char16_t));
    label[t + 1 + c] = u'）';
    label[t + 2 + c] = u'\0';
    const bool match = here.isRegex ? PerCandidateRegex(keyword, std::u16string_view(label, t + 2 + c))
                                    : RecursiveWildcard(keyword.c_str(), label);
    if (!match) continue;
    if (list_[i].window == here.window) return;
    ReleaseWindow(monitor, location);
    desktop_.ShowWindow(list_[i].window, ShowCommand::Hide);
    here.window = list_[i].window;
    here.shown = 0;
    here.stamp = desktop_.TickCount();
    return;
  }
  ReleaseWindow(monitor, location);
  here.window = kNoWindow;
}

void Registration::RegisterAllByKeywords() {
  for (Monitor& monitor : monitors_) {
    for (Location& location : monitor) {
      if (location.window == kNoWindow) continue;
      Placement p;
      p.zOrder = ZOrder::NotTopmost;
      p.show = true;
      p.async = true;
      desktop_.PlaceWindow(location.window, p);
      for (int step = 0; step < 40; ++step) {
        if (!desktop_.WindowExists(location.window) || desktop_.IsWindowVisible(location.window)) break;
        desktop_.Pause(50);
      }
      location.window = kNoWindow;
    }
  }
  for (std::size_t m = 0; m < monitors_.size(); ++m) {
    for (std::size_t l = 0; l < 16; ++l) RegisterByKeyword(m, l);
  }
}

}  // namespace peekbar::reference
