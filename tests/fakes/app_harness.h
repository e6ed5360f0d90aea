// The program's core wired to a simulated desktop, shell and settings files,
// with the file names the default executable path and user name give.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>
#include <string_view>

#include "core/app/app.h"
#include "core/base/text.h"
#include "fakes/fake_desktop.h"
#include "fakes/fake_journal_store.h"
#include "fakes/fake_shell.h"
#include "fakes/fake_sound_player.h"
#include "fakes/fake_store.h"

namespace peekbar {

// What the Windows side shows for the core: the menu, the dialogs, the
// sheets and the overlays; each call is logged, and the user is played by
// what the test sets.
class FakeAppWindows final : public Dialogs,
                             public OverlayView,
                             public TrayMenuView,
                             public RegistrationSheetView {
 public:
  void Track(TrayMenu& opened, Point at) override {
    ++menusShown;
    const MenuItem menu = opened.Expanded();
    lastMenu = menu;
    lastMenuAt = at;
    // A copy: a choice may open the menu again and choose there.
    if (const auto choose = chooseInMenu) choose(menu);
  }
  void ShowMonitorPopups(bool show) override { log.push_back(show ? "ShowPopups" : "HidePopups"); }
  void MakeMonitorPopups(const MonitorPopupsView& made) override {
    log.push_back("RebuildPopups");
    popups = made;
  }
  MonitorPopupsView popups;
  // What is closed is off the screen until a frame shows it again.
  void CloseGuides() override {
    log.push_back("CloseGuides");
    frame.guides.monitors.clear();
  }
  std::optional<KeywordChoice> AskKeyword(std::u16string_view title, const KeywordChoice& current) override {
    Opened("KeywordDialog " + Utf8FromUtf16(title));
    FixedText<kKeywordUnits> keyword = current.keyword;
    std::int32_t isRegex = current.regex ? 1 : 0;
    if (!keywordDialog || !keywordDialog(keyword, isRegex)) return std::nullopt;
    return KeywordChoice{keyword, isRegex != 0};
  }
  std::optional<FixedText<kTitleUnits>> AskProfileName(const FixedText<kTitleUnits>& current) override {
    Opened("ProfileName " + Utf8FromUtf16(current.View()));
    if (!profileName) return std::nullopt;
    return FixedText<kTitleUnits>(*profileName);
  }
  std::optional<int> AskStartupDelay() override {
    Opened("StartupDelay");
    return startupDelay;
  }
  std::optional<std::int32_t> AskMonitorPopAlpha(std::int32_t current) override {
    Opened("PopAlpha " + std::to_string(current));
    return popAlpha;
  }
  std::optional<FontRecord> PickFont(const FontRecord& current) override {
    Opened("PickFont " + Utf8FromUtf16(current.face.View()));
    return chosenFont;
  }
  std::optional<Color> PickColor(WindowHandle owner, Color initial) override {
    Opened("PickColor " + std::to_string(initial));
    colorOwner = owner;
    return chosenColor;
  }
  std::optional<Settings> EditOptions(const Settings& current) override {
    Opened("OptionsSheet");
    Settings edited = current;
    if (!optionsSheet || !optionsSheet(edited)) return std::nullopt;
    return edited;
  }
  std::optional<Settings> EditGuidesAndLabels(const Settings& current, LabelChoices& live) override {
    Opened("GuideLabelSheet");
    Settings edited = current;
    if (!guideLabelSheet || !guideLabelSheet(edited, live)) return std::nullopt;
    return edited;
  }
  std::optional<Settings> EditTriggerSettings(const Settings& current) override {
    Opened("TriggerDialog");
    Settings edited = current;
    if (!triggerDialog || !triggerDialog(edited)) return std::nullopt;
    return edited;
  }
  std::optional<Hotkey> AskHotkey(Hotkey current, const LocationHotkeyCheck& check) override {
    Opened("HotkeyDialog " + std::to_string(current));
    return Typed(chosenHotkey, retypedHotkeys, check);
  }
  std::optional<GlobalHotkeys> AskGlobalHotkeys(const GlobalHotkeys& current, const GlobalHotkeysCheck& check) override {
    Opened("GlobalHotkeyDialog " + std::to_string(current.pause) + " " + std::to_string(current.menu));
    return Typed(chosenGlobalHotkeys, retypedGlobalHotkeys, check);
  }
  void ShowAbout() override {
    Opened("About");
    if (aboutBox) aboutBox();
  }
  // The overlays: the last frame, and how many were told. Assigned, not
  // copied anew, so that a tick that changes the frame allocates nothing.
  void Show(const OverlayFrame& shown) override {
    frame = shown;
    ++frames;
  }
  void CloseTrigger() override {
    log.push_back("CloseTrigger");
    frame.trigger.visible = false;
    frame.trigger.tip = {};
  }
  void RaiseTrigger(bool activate) override { log.push_back(activate ? "RaiseTrigger activated" : "RaiseTrigger"); }
  bool IsAboveTrigger(WindowHandle window) override { return aboveTrigger.contains(window); }
  void LabelFontChanged(const FontRecord& font) override {
    ++labelFontRebuilds;
    labelFont = font;
  }
  // Text is 8 pixels a character and 16 high, whatever the font and DPI;
  // the DPI each text was last measured at is kept. The cursor is 32 high
  // at 96 DPI, in proportion at others.
  Extent MeasureText(std::u16string_view text, const FontRecord&, std::uint32_t dpi) override {
    measuredAt[std::u16string(text)] = dpi;
    return {static_cast<std::int32_t>(text.size()) * 8, 16};
  }
  std::int32_t CursorHeight(std::uint32_t dpi) override { return ScaleForDpi(32, dpi, kDefaultDpi); }
  std::map<std::u16string, std::uint32_t> measuredAt;
  OverlayFrame frame;
  int frames = 0;
  // Monitors with a guide in the last frame.
  int GuidesMade() const {
    int made = 0;
    for (const auto& guide : frame.guides.monitors) made += guide ? 1 : 0;
    return made;
  }
  // A location's bar in the last frame; null where its guide has none.
  const GuideBarView* Bar(int monitor, int location) const {
    const auto& guides = frame.guides.monitors;
    if (static_cast<std::size_t>(monitor) >= guides.size() || !guides[static_cast<std::size_t>(monitor)]) return nullptr;
    for (const GuideBarView& bar : guides[static_cast<std::size_t>(monitor)]->bars) {
      if (bar.location == location) return &bar;
    }
    return nullptr;
  }
  // Windows standing above the trigger window (their programs activated them).
  std::set<WindowHandle> aboveTrigger;
  FontRecord labelFont;

  int menusShown = 0;
  MenuItem lastMenu;
  Point lastMenuAt;
  std::function<void(const MenuItem&)> chooseInMenu;
  // Plays the user in the keyword dialog: edits the fields, returns OK or not.
  std::function<bool(FixedText<kKeywordUnits>&, std::int32_t&)> keywordDialog;
  std::optional<Color> chosenColor;            // what the colour chooser returns
  std::optional<std::u16string> profileName;   // typed into the rename dialog and confirmed
  std::optional<int> startupDelay;             // confirmed in the delay dialog
  std::optional<std::int32_t> popAlpha;        // entered in the transparency dialog
  std::optional<FontRecord> chosenFont;        // confirmed in the font chooser
  // Plays the user in the options sheet: edits the copy, returns OK or not.
  std::function<bool(Settings&)> optionsSheet;
  // The same for the guide and label sheet, whose choosers tell `live`.
  std::function<bool(Settings&, LabelChoices& live)> guideLabelSheet;
  std::function<bool(Settings&)> triggerDialog;
  std::function<void()> aboutBox;  // runs while the about box is open
  // The keys a hotkey dialog is given at OK; when the program objects, the
  // objection is kept and the retyped keys are tried in turn at the next
  // OKs; once they run out the dialog is cancelled. Nothing: cancelled.
  std::optional<Hotkey> chosenHotkey;                // a location's dialog
  std::vector<Hotkey> retypedHotkeys;
  std::optional<GlobalHotkeys> chosenGlobalHotkeys;  // the pause and menu dialog
  std::vector<GlobalHotkeys> retypedGlobalHotkeys;
  std::vector<HotkeyObjection> objections;  // shown over the hotkey dialogs
  // Runs in every dialog, sheet and chooser while it is open.
  std::function<void()> whileAnyDialogOpen;
  std::vector<std::string> log;

  void Run(RegistrationSheet& sheet) override {
    Opened("RegistrationSheet " + Utf8FromUtf16(sheet.Caption()));
    if (registrationSheet) registrationSheet(sheet);
  }
  // Plays the user in the registration sheet.
  std::function<void(RegistrationSheet&)> registrationSheet;
  WindowHandle colorOwner = kNoWindow;  // owner of the last colour chooser

  int labelFontRebuilds = 0;

 private:
  template <typename Keys, typename Check>
  std::optional<Keys> Typed(const std::optional<Keys>& first, const std::vector<Keys>& retyped, const Check& check) {
    if (!first) return std::nullopt;
    std::vector<Keys> typed{*first};
    typed.insert(typed.end(), retyped.begin(), retyped.end());
    for (const Keys& keys : typed) {
      std::optional<HotkeyObjection> objection = check(keys);
      if (!objection) return keys;
      objections.push_back(std::move(*objection));
    }
    return std::nullopt;
  }
  void Opened(std::string dialog) {
    log.push_back(std::move(dialog));
    if (whileAnyDialogOpen) whileAnyDialogOpen();
  }
};

// UTF-8 for readable assertions and failure messages.
inline std::string U8(std::u16string_view text) { return Utf8FromUtf16(text); }

// Settings file names for FakeShell's default executable path and user name.
inline const std::u16string kMainIni = u"C:\\Tools\\Peekbar\\tester_Peekbar.ini";
inline std::u16string ProfileIni(int k) {
  return u"C:\\Tools\\Peekbar\\tester_Peekbar_" + Utf16FromUtf8(std::to_string(k)) + u".ini";
}

struct AppHarness {
  FakeDesktop desktop;
  FakeShell shell;
  FakeSoundPlayer sound;
  FakeSettingsStore store;
  FakeJournalStore journal;
  FakeAppWindows windows;
  FakeHotkeyRegistrar hotkeys;
  App app{{desktop, shell, sound, store, journal, windows, windows, windows, windows, hotkeys}};

  AppState& state() { return app.State(); }
  Settings& settings() { return app.State().settings; }

  // The window registered at the location, as the menu marks it.
  WindowHandle RegisteredAt(int monitor, int location) { return state().At(monitor, location).cycle.Window(); }
  // The location holds the window, hidden and waiting from now as a
  // registration leaves it, without the registration's hiding or journal.
  void Hold(int monitor, int location, WindowHandle window) {
    state().At(monitor, location).cycle.Register(window, desktop.Tick());
  }

  // One more monitor the system reports (as \\.\DISPLAY<n>), from start-up on.
  void AddMonitor(Rect rect) {
    desktop.monitors.push_back({u"\\\\.\\DISPLAY" + DecimalText(static_cast<std::int64_t>(desktop.monitors.size()) + 1), rect});
  }

  // Start-up up to a running main window: settings read, main window created.
  WindowHandle Start(bool anotherInstance = false) {
    app.PrepareStartup(anotherInstance);
    const WindowHandle main = desktop.AddWindow("main", Rect{0, 0, 0, 0}, false);
    desktop.Find(main)->className = u"PEEKBAR_MAIN";
    desktop.Find(main)->title = u"Peekbar";
    desktop.Find(main)->thread = FakeDesktop::kOwnThread;
    app.OnCreate(main);
    return main;
  }
};

}  // namespace peekbar
