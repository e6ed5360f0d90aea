// Keyword registration written the plain way, straight from its description,
// as the yardstick for the measured core: the wildcard rule as its recursive
// definition (no memo), a std::wregex built anew for every candidate, and the
// candidate list refilled for every keyword.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/desktop.h"

namespace peekbar::reference {

// The recursive definition of the wildcard rule, on NUL-terminated text.
bool RecursiveWildcard(const char16_t* p, const char16_t* s);
// ECMAScript, whole text, case-sensitive; the expression is built on every
// call and any failure is a failed match.
bool PerCandidateRegex(std::u16string_view pattern, std::u16string_view text);

// A keyword's regular expression matched as it was before every match was
// bounded: the same translation and Boost.Regex, over the label's
// characters with random access, so that Boost sets its own limit on the
// states from the lengths of label and expression (the label's length times
// the square of the expression's, and more). That limit is the same here as
// it was (the build's lower state count caps only the label's square, which
// a long expression's limit is far above: anything of 40 units or more
// against labels of up to 1,600).
class RegexAsBefore {
 public:
  explicit RegexAsBefore(std::u16string_view keyword);
  ~RegexAsBefore();
  // Empty when Boost gave up.
  std::optional<bool> Match(std::u16string_view label) const;

 private:
  struct Compiled;
  std::unique_ptr<Compiled> compiled_;
};

struct Location {
  std::u16string keyword;
  bool isRegex = false;
  WindowHandle window = kNoWindow;
  std::int32_t shown = 0;
  std::uint32_t stamp = 0;
};
using Monitor = std::array<Location, 16>;

class Registration {
 public:
  Registration(Desktop& desktop, std::size_t monitors) : desktop_(desktop), monitors_(monitors) {}

  std::vector<Monitor>& Monitors() { return monitors_; }
  void RegisterAllByKeywords();
  void RegisterByKeyword(std::size_t monitor, std::size_t location);

 private:
  struct Entry {
    WindowHandle window;
    char16_t title[128];
    char16_t className[128];
  };
  std::size_t CollectWindows();
  void ReleaseWindow(std::size_t monitor, std::size_t location);

  Desktop& desktop_;
  std::vector<Monitor> monitors_;
  std::vector<Entry> list_ = std::vector<Entry>(256);
};

}  // namespace peekbar::reference
