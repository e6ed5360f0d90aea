// The wildcard matcher against the rule's plain recursive definition, on
// small patterns and texts of a few letters.
#include <cstdlib>

#include "core/registration/keyword_match.h"
#include "fuzz_input.h"
#include "reference_registration.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace peekbar;
  fuzz::Input input(data, size);
  const std::u16string pattern = input.TextOf(u"ab*?メ", 9);
  const std::u16string text = input.TextOf(u"abメ*?", 12);
  if (WildcardMatch(pattern, text) != reference::RecursiveWildcard(pattern.c_str(), text.c_str())) std::abort();
  return 0;
}
