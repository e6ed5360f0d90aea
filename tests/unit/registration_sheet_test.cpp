// The registration sheet's decisions: what its rows show when it opens, and
// what OK or Apply of a row does to the location, its window and the file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/scene.h"
#include "fakes/cycle_assertions.h"

namespace peekbar {
namespace {

struct Scene : DesktopScene {
  explicit Scene(int monitors = 1) : DesktopScene(monitors) { Start(); }
  // Opens the sheet of monitor m with the tray menu's command and lets
  // `user` work in it.
  void OpenSheet(int m, const std::function<void(RegistrationSheet&)>& user) {
    h.windows.registrationSheet = user;
    h.app.OnCommand(static_cast<std::uint16_t>(command_id::kRegistrationSheetFirst + m));
  }
};

std::vector<std::string> Labels(const RegistrationSheet& sheet) {
  std::vector<std::string> labels;
  for (const std::u16string& label : sheet.CandidateLabels()) labels.push_back(U8(label));
  return labels;
}

TEST(RegistrationSheetTest, OpensOnItsOwnCandidatesWithEachRowAtItsRegisteredWindow) {
  Scene s(2);
  const WindowHandle back = s.Add("back", u"back");
  const WindowHandle front = s.Add("front", u"front");
  const WindowHandle hidden = s.Add("hidden", u"hidden", false);
  s.h.app.Registration().Register(1, TopMiddle, front);
  s.Slot(1)[TopMiddle].keyword = u"*front*";
  s.h.desktop.Find(front)->visible = true;  // shown at its edge: listed twice
  s.h.app.Registration().Register(1, BottomRightCorner, hidden);
  s.h.app.Registration().Register(0, LeftTop, back);  // another monitor's registration
  s.h.state().windowList.resize(512);

  bool opened = false;
  s.OpenSheet(1, [&](RegistrationSheet& sheet) {
    opened = true;
    EXPECT_TRUE(s.h.state().modalBusy);
    EXPECT_EQ(sheet.Monitor(), 1);
    EXPECT_EQ(Labels(sheet), (std::vector<std::string>{"back（Notepad）", "front（Notepad）", "hidden（Notepad）",
                                                       "front（Notepad）"}));
    // The program's list starts again, empty and as large; refilling it
    // leaves the sheet's candidates alone.
    ASSERT_EQ(s.h.state().windowList.size(), 512u);
    for (const WindowEntry& entry : s.h.state().windowList) EXPECT_EQ(entry.window, kNoWindow);
    s.h.desktop.CloseWindow(back);
    CollectWindows(s.h.state(), s.h.desktop);
    EXPECT_EQ(sheet.CandidateLabels().size(), 4u);

    const SheetRow middle = sheet.FillRow(TopMiddle);
    EXPECT_EQ(U8(middle.name), "上端中央");
    EXPECT_EQ(U8(middle.keyword), "*front*");
    EXPECT_FALSE(middle.isRegex);
    EXPECT_EQ(middle.selection, 2) << "the first of the two listings";
    EXPECT_EQ(sheet.FillRow(BottomRightCorner).selection, 3);
    EXPECT_EQ(sheet.FillRow(TopLeft).selection, 0) << "nothing registered";
    EXPECT_EQ(sheet.OpeningSelection(TopMiddle), 2);
  });
  EXPECT_TRUE(opened);
  EXPECT_FALSE(s.h.state().modalBusy);
  EXPECT_EQ(s.h.windows.log.back(), "RegistrationSheet ウィンドウ登録（モニター2）");
  EXPECT_EQ(RegistrationSheetCaption(0, 1), u"ウィンドウ登録");
}

TEST(RegistrationSheetTest, ApplyOfARowSavesItAndRegistersOnlyAChangedWindow) {
  Scene s;
  const WindowHandle old = s.Add("old", u"old");
  const WindowHandle next = s.Add("next", u"next");
  s.h.app.Registration().Register(0, TopMiddle, old);
  s.h.app.Registration().Register(0, LeftTop, old);
  s.Slot()[TopMiddle].guideColor = 0x123456;
  const WindowHandle page = 0x777;

  s.OpenSheet(0, [&](RegistrationSheet& sheet) {
    ASSERT_EQ(Labels(sheet), (std::vector<std::string>{"old（Notepad）", "next（Notepad）"}));
    for (const int l : {TopMiddle, LeftTop, TopRight}) sheet.FillRow(l);

    // The selection is still the registered window: only keyword and kind change.
    s.h.store.ClearWrites();
    s.h.desktop.ResetCalls();
    sheet.ApplyRow(page, TopMiddle, u".*next.*", true, 1);
    EXPECT_EQ(s.h.store.WriteLog(),
              (std::vector<std::string>{"MONITOR_0/KEYWORD_2=.*next.*", "MONITOR_0/REG_EXP_2=1",
                                        "MONITOR_0/GUIDE_COLOR_2=1193046"}));
    EXPECT_EQ(s.h.desktop.Log(), std::vector<std::string>{});
    EXPECT_EQ(s.Slot()[TopMiddle].keyword, u".*next.*");
    EXPECT_EQ(s.Slot()[TopMiddle].isRegex, 1);

    // Another window: the old one stays hidden (still held at LeftTop), the
    // new one is hidden and waits for the pointer.
    s.h.desktop.SetTick(5000);
    s.Slot()[TopMiddle].cycle.Show(s.h.desktop.Tick());
    sheet.ApplyRow(page, TopMiddle, u".*next.*", true, 2);
    EXPECT_EQ(s.h.RegisteredAt(0, TopMiddle), next);
    EXPECT_TRUE(InPhase(s.Slot()[TopMiddle], CyclePhase::Hidden, 5000));
    EXPECT_FALSE(s.h.desktop.Find(next)->visible);
    EXPECT_FALSE(s.h.desktop.Find(old)->visible);

    // " - 未登録 - " clears the location and gives its last holder back.
    sheet.ApplyRow(page, LeftTop, u"", false, 0);
    EXPECT_EQ(s.h.RegisteredAt(0, LeftTop), kNoWindow);
    EXPECT_TRUE(s.h.desktop.Find(old)->visible);

    // Undo still goes back to the state at opening.
    EXPECT_EQ(sheet.OpeningSelection(TopMiddle), 1);
    EXPECT_EQ(sheet.OpeningSelection(LeftTop), 1);
    EXPECT_EQ(sheet.OpeningSelection(TopRight), 0);

    // The colour button: the chooser belongs to the page, the colour is kept at once.
    s.h.windows.chosenColor = 0x00FF00;
    sheet.ChooseGuideColor(page, TopRight);
    EXPECT_EQ(s.h.windows.colorOwner, page);
    EXPECT_EQ(sheet.GuideColor(TopRight), 0x00FF00u);
  });
  EXPECT_EQ(s.h.store.WriteLog().back(), "MONITOR_0/GUIDE_COLOR_3=65280");
}

// A keyword typed in a row takes effect with OK as one set from the menu
// does: a location left empty takes the window it matches on the screen
// now; a window chosen in the row, or the row emptied, is what stays.
TEST(RegistrationSheetTest, AKeywordTypedIsAppliedWhereTheRowLeavesTheLocationEmpty) {
  Scene s;
  const WindowHandle mail = s.Add("mail", u"mail");
  const WindowHandle editor = s.Add("editor", u"editor");
  s.h.app.Registration().Register(0, LeftTop, mail);
  s.OpenSheet(0, [&](RegistrationSheet& sheet) {
    for (const int l : {TopMiddle, TopRight, LeftTop}) sheet.FillRow(l);
    sheet.ApplyRow(kNoWindow, TopMiddle, u"*editor*", false, 0);
    sheet.ApplyRow(kNoWindow, TopRight, u"*editor*", false, 1);  // mail chosen
    sheet.ApplyRow(kNoWindow, LeftTop, u"*editor*", false, 0);   // emptied by the user
  });
  EXPECT_EQ(s.h.RegisteredAt(0, TopMiddle), editor);
  EXPECT_EQ(s.h.RegisteredAt(0, TopRight), mail);
  EXPECT_EQ(s.h.RegisteredAt(0, LeftTop), kNoWindow);
}

}  // namespace
}  // namespace peekbar
