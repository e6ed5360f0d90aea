// The prefilter never loses a match: a label that lacks the literal a
// keyword is said to require does not match the keyword.
#include <cstdlib>

#include "core/registration/keyword_match.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace peekbar;
  fuzz::Input input(data, size);
  const bool isRegex = (input.Take<std::uint8_t>() & 1) != 0;
  const std::u16string keyword = isRegex ? input.TextOf(u"ab.*+?|()[]^$\\{}12,:=!メ", 16) : input.TextOf(u"ab*?メ", 12);
  const std::u16string label = input.TextOf(u"abメ\n", 16);
  const std::u16string required = RequiredLiteral(keyword, isRegex);
  if (required.empty() || label.find(required) != std::u16string::npos) return 0;
  if (KeywordMatcher(keyword, isRegex).Matches(label)) std::abort();
  return 0;
}
