// Scenes the measurements share: the two-monitor desk and a desktop full of
// ordinary top-level windows with the titles and classes they really have.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "fakes/app_harness.h"
#include "fakes/fake_desktop.h"

namespace peekbar::bench {

// 1920x1080 at (0,0) and 1280x1024 to its right.
void AddTwoMonitors(AppHarness& harness);

// `count` visible windows, top of the z-order first. Windows that a keyword
// of KeywordSet() matches are few and lie deep in the order; everything else
// is what a busy desktop holds (browser tabs, IME and tooltip windows, shell
// and helper windows), none of it matched by any keyword.
std::vector<FakeWindow> DesktopWindows(std::size_t count);

// Adds the windows so that the first one ends up at the top of the z-order.
void AddInZOrder(FakeDesktop& desktop, const std::vector<FakeWindow>& windows);

struct Keyword {
  std::u16string text;
  bool isRegex = false;
};
// 32 keywords, one per location of the two monitors: wildcard and regular
// expressions as users write them.
const std::vector<Keyword>& KeywordSet();

}  // namespace peekbar::bench
