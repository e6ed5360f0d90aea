// A full application of keywords lists the desktop once; it must register
// exactly what applying each location's keyword on its own, with a fresh
// listing every time, registers.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "fakes/app_harness.h"

namespace peekbar {
namespace {

struct Scene {
  std::vector<std::u16string> titles;
  std::vector<bool> visible;
  std::vector<std::pair<std::u16string, bool>> keywords;  // per location of two monitors
  bool noTitle = false;
};

Scene RandomScene(std::mt19937& random) {
  static const std::u16string kWords[] = {u"メモ", u"帳", u"Note", u"pad", u"", u"a", u"ab"};
  static const std::pair<std::u16string, bool> kKeywords[] = {
      {u"", false},       {u"*メモ*", false}, {u"*pad*", false},   {u"*a?*", false},     {u"*", false},
      {u"a*", false},     {u".*Note.*", true}, {u".*帳（.*", true}, {u"(a|ab).*", true}, {u"[", true},
      {u"ab（FakeWindowClass）", false},
  };
  Scene scene;
  const int windows = static_cast<int>(random() % 12);
  for (int i = 0; i < windows; ++i) {
    std::u16string title;
    for (int w = static_cast<int>(random() % 3); w > 0; --w) title += kWords[random() % std::size(kWords)];
    scene.titles.push_back(title);
    scene.visible.push_back(random() % 4 != 0);
  }
  for (int l = 0; l < 2 * kLocationCount; ++l) scene.keywords.push_back(kKeywords[random() % std::size(kKeywords)]);
  scene.noTitle = random() % 2 == 0;
  return scene;
}

void Stage(AppHarness& h, const Scene& scene) {
  h.AddMonitor({0, 0, 1920, 1080});
  h.AddMonitor({1920, 0, 3200, 1024});
  h.app.PrepareStartup(false);
  h.settings().noTitle = scene.noTitle ? 1 : 0;
  for (std::size_t i = 0; i < scene.titles.size(); ++i) {
    FakeWindow window;
    window.name = std::string("w").append(std::to_string(i));
    window.title = scene.titles[i];
    window.visible = scene.visible[i];
    h.desktop.AddWindow(window);
  }
  for (int l = 0; l < 2 * kLocationCount; ++l) {
    MonitorSlot& slot = h.state().monitorSlots[static_cast<std::size_t>(l / kLocationCount)];
    slot[l % kLocationCount].keyword = scene.keywords[static_cast<std::size_t>(l)].first;
    slot[l % kLocationCount].isRegex = scene.keywords[static_cast<std::size_t>(l)].second;
  }
}

std::vector<std::string> Registrations(AppHarness& h) {
  std::vector<std::string> names;
  for (const MonitorSlot& slot : h.state().monitorSlots) {
    for (WindowHandle window : slot.Windows()) names.push_back(window == kNoWindow ? "-" : h.desktop.NameOf(window));
  }
  return names;
}

TEST(KeywordApplication, OneListingRegistersWhatAListingPerKeywordWould) {
  std::mt19937 random(42);
  for (int round = 0; round < 400; ++round) {
    const Scene scene = RandomScene(random);
    AppHarness whole;
    AppHarness oneByOne;
    Stage(whole, scene);
    Stage(oneByOne, scene);
    whole.state().windowList.resize(256);
    oneByOne.state().windowList.resize(256);

    whole.app.Registration().RegisterAllByKeywords();
    for (int m = 0; m < 2; ++m) {
      for (int l = 0; l < kLocationCount; ++l) oneByOne.app.Registration().RegisterByKeyword(m, l);
    }
    ASSERT_EQ(Registrations(whole), Registrations(oneByOne)) << "round " << round;
  }
}

}  // namespace
}  // namespace peekbar
