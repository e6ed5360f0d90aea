#include "sim/simulation.h"

#include <algorithm>
#include <iterator>
#include <array>
#include <cstdio>
#include <map>
#include <memory>
#include <sstream>

#include "core/app/guardian.h"
#include "core/base/planted.h"
#include "core/registration/keyword_match.h"
#include "core/engine/give_back_after_end.h"
#include "fakes/app_harness.h"

namespace peekbar::sim {
namespace {

constexpr std::array<std::string_view, 29> kOpNames = {
    "tick",      "pointer", "modifier", "command", "pick",    "unregister", "keyword",   "options",
    "trayclick", "hotkey",  "new",     "close",    "hide",    "show",    "minimize",   "rename",    "move",
    "hang",      "dies",    "popup",    "inwait",  "clockjump", "monitor",  "rescale",   "desktop",
    "settingsfail", "shell", "journalfails", "end",
};
static_assert(kOpNames.size() == static_cast<std::size_t>(Op::End) + 1);

// How often each step comes, out of the sum: mostly time and the pointer,
// as a day at the desk is.
constexpr std::array<std::uint8_t, 29> kWeights = {
    30, 30, 6, 6, 5, 2, 2, 2, 2, 3,     // the user
    6,  3,  3, 3, 2, 4, 2, 2, 1, 2, 2,  // other programs
    1,  1,  1, 1, 1, 1, 1, 1,           // the system
};

// SplitMix64: small, fast, and the same on every platform and compiler
// (the standard distributions are not).
struct Random {
  std::uint64_t state;
  std::uint64_t Next() {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
};

constexpr Rect kFirst{0, 0, 1920, 1080};
constexpr Rect kSecondMonitor{1920, 0, 3200, 1024};
constexpr std::uint32_t kUserLockTimeout = FakeDesktop::kDefaultForegroundLockTimeout;
constexpr std::uint32_t kOwnProcessFirst = 4000;
constexpr std::uint32_t kTaskbarProcess = 5;

// Titles of other programs' windows; the keywords below match some.
constexpr std::array<std::u16string_view, 8> kTitles = {
    u"notes.txt - editor", u"report - editor", u"inbox - mail",  u"news - browser",
    u"music",              u"notes",           u"draft - mail", u"calculator",
};

// The points the pointer goes to: the middles and corners of the first
// monitor's edges, the second's right edge, places on the desktop.
constexpr std::array<Point, 12> kSpots = {{
    {960, 0},    {0, 540},  {1919, 540}, {960, 1079}, {0, 0},   {1919, 0},
    {0, 1079},   {1919, 1079}, {3199, 500}, {700, 500}, {300, 300}, {1500, 800},
}};

constexpr std::array<std::uint16_t, 6> kCommands = {
    command_id::kApplyAllKeywords, command_id::kUnregisterAll, command_id::kPause,
    command_id::kShowAll,          command_id::kProfileFirst,  command_id::kProfileFirst + 1,
};

constexpr std::array<std::uint32_t, 4> kTickIntervals = {50, 200, 700, 2100};


bool IsTaskbarClass(std::u16string_view className) {
  return className == u"Shell_TrayWnd" || className == u"Shell_SecondaryTrayWnd" || className == u"Button";
}

// Everything the program reaches, kept across its restarts: the desktop,
// the files and the journals outlive the process.
class World {
 public:
  World() {
    desktop_.SetRecording(false);
    desktop_.monitors.push_back({u"\\\\.\\DISPLAY1", kFirst});
    desktop_.SetPointer({700, 500});
    FakeWindow taskbar;
    taskbar.name = "taskbar";
    taskbar.className = u"Shell_TrayWnd";
    taskbar.process = kTaskbarProcess;
    taskbar.rect = {0, 1040, 1920, 1080};
    taskbar_ = desktop_.AddWindow(taskbar);
    for (int profile = 0; profile < 2; ++profile) {
      const std::u16string ini = ProfileIni(profile);
      store_.SetInt(ini, u"OPTION", u"HIDE_TASKBAR", profile == 0 ? 1 : 0);
      store_.SetInt(ini, u"OPTION", u"TOPMOST", 1);
      store_.Set(ini, u"MONITOR_0", u"KEYWORD_1", profile == 0 ? u"*editor*" : u"*mail*");
      store_.Set(ini, u"MONITOR_0", u"KEYWORD_4", u"notes*");
    }
    // F-keys, which may stand alone: three locations, pause and the menu.
    for (int profile = 0; profile < 2; ++profile) {
      store_.SetInt(ProfileIni(profile), u"MONITOR_0", u"HOTKEY_1", 0x70);
      store_.SetInt(ProfileIni(profile), u"MONITOR_0", u"HOTKEY_4", 0x71);
      store_.SetInt(ProfileIni(profile), u"MONITOR_0", u"HOTKEY_9", 0x72);
    }
    store_.SetInt(kMainIni, u"HOTKEY", u"PAUSE", 0x73);
    store_.SetInt(kMainIni, u"HOTKEY", u"MENU", 0x74);
    for (int i = 0; i < 3; ++i) AddProgramWindow(static_cast<std::uint16_t>(i));
    // Written down before it is hidden, at the very moment: a kill may
    // come between any two calls.
    desktop_.OnHide([this](WindowHandle w) {
      const JournalRecord& snapshot = journal_.LastWritten();
      const FakeWindow& f = *desktop_.Find(w);
      const bool listed = ListsAsItIs(snapshot, w) || (f.className == u"Shell_TrayWnd" && snapshot.taskbarHidden);
      if (!listed && !pending_) pending_ = Fail("journalled before hidden", "window " + Name(w) + " hidden unlisted");
    });
    Start();
  }

  std::optional<Failure> Run(const Step& step, std::size_t index) {
    index_ = index;
    desktop_.ResetCalls();
    matchesBefore_ = KeywordMatchesMade();
    fullApplication_ = step.op == Op::End ||
                       (step.op == Op::Command && AppliesInFull(kCommands[step.a % kCommands.size()]));
    // The keyword dialog applies its own location's keyword in full.
    appliedAt_ = step.op == Op::KeywordDialog && step.b % 3 != 0 ? static_cast<int>(step.a % kLocationCount) : -1;
    lastWasTick_ = step.op == Op::Tick;
    const std::array<WindowHandle, 2 * kLocationCount> before = Held();
    Do(step);
    if (auto failure = Check()) return failure;
    if (auto failure = CheckSettingsWrites(step)) return failure;
    return CheckCatching(step, before);
  }

  // The settings files change only by the user's hand (a command, a
  // dialog, a sheet, a hotkey, the menu) or as a window's rectangle saved
  // when it goes away at its edge; never because time passed or another
  // program did something.
  std::optional<Failure> CheckSettingsWrites(const Step& step) {
    const bool byTheUser = step.op == Op::Command || step.op == Op::PickWindow || step.op == Op::Unregister ||
                           step.op == Op::KeywordDialog || step.op == Op::OptionsSheet ||
                           step.op == Op::TrayClick || step.op == Op::Hotkey || step.op == Op::End;
    std::optional<Failure> failure;
    for (const FakeSettingsStore::Write& write : store_.Writes()) {
      if (byTheUser || write.key.starts_with(u"WIN_")) continue;
      if (!failure) failure = Fail("settings change only by the user", U8(write.section) + "/" + U8(write.key) + " written");
    }
    store_.ClearWrites();
    return failure;
  }

  // Whether every location's keyword is applied anew, to every window, by
  // the command: apply-all, and another profile chosen.
  bool AppliesInFull(std::uint16_t command) {
    const int selected = TheApp().State().profiles.selected;
    return command == command_id::kApplyAllKeywords ||
           (command >= command_id::kProfileFirst && command <= command_id::kProfileLast &&
            command != command_id::kProfileFirst + selected);
  }

  std::array<WindowHandle, 2 * kLocationCount> Held() {
    std::array<WindowHandle, 2 * kLocationCount> held{};
    const AppState& state = TheApp().State();
    for (int m = 0; m < state.MonitorCount() && m < 2; ++m) {
      for (int n = 0; n < kLocationCount; ++n) {
        // A window its program closed has left its location, which waits
        // from then on, whenever Peekbar notices.
        const WindowHandle w = state.At(m, n).cycle.Window();
        held[static_cast<std::size_t>(m * kLocationCount + n)] = desktop_.Find(w) != nullptr ? w : kNoWindow;
      }
    }
    return held;
  }

  // A location that takes a window on a tick (its keyword waiting for
  // one) takes only a window that came up or was renamed since the
  // location last held one or had its keyword applied in full: never one
  // the user had on the screen, unchanged, all along. Counted in ticks:
  // what happens between two looks happens at once for the program.
  std::optional<Failure> CheckCatching(const Step& step, const std::array<WindowHandle, 2 * kLocationCount>& before) {
    const std::array<WindowHandle, 2 * kLocationCount> after = Held();
    std::optional<Failure> failure;
    for (std::size_t i = 0; i < after.size(); ++i) {
      const WindowHandle w = after[i];
      if (step.op == Op::Tick && !fullApplication_ && w != kNoWindow && w != before[i]) {
        const auto changed = lastChange_.find(w);
        if (!failure && (changed == lastChange_.end() || changed->second < quietSince_[i])) {
          failure = Fail("a window in use is never taken", "window " + Name(w) + " taken at location " +
                                                               std::to_string(i) + ", unchanged since tick " +
                                                               std::to_string(changed == lastChange_.end() ? 0 : changed->second));
        }
      }
      if (w != kNoWindow || fullApplication_ || static_cast<int>(i) == appliedAt_) quietSince_[i] = ticks_;
    }
    return failure;
  }

  // Who holds what, for a trace: "0/4=260 0/6=260 up".
  std::string Holdings() {
    std::string text;
    const AppState& state = TheApp().State();
    for (int m = 0; m < state.MonitorCount(); ++m) {
      for (int n = 0; n < kLocationCount; ++n) {
        const ShowCycle& cycle = state.At(m, n).cycle;
        if (cycle.Window() == kNoWindow) continue;
        text += ' ' + std::to_string(m) + '/' + std::to_string(n) + '=' + Name(cycle.Window());
        if (cycle.IsShown()) text += " up";
      }
    }
    return text;
  }

 private:
  struct Instance {
    FakeShell shell;
    FakeSoundPlayer sound;
    FakeAppWindows windows;
    FakeHotkeyRegistrar hotkeys;
    std::unique_ptr<App> app;
  };

  void Start() {
    desktop_.SetOwnProcessId(kOwnProcessFirst + starts_++);
    instance_ = std::make_unique<Instance>();
    Instance& i = *instance_;
    i.app = std::make_unique<App>(AppPorts{desktop_, i.shell, i.sound, store_, journal_, i.windows, i.windows,
                                           i.windows, i.windows, i.hotkeys});
    App& app = *i.app;
    // The timer ticks on under a message box, and the pointer may move.
    i.shell.whileBoxOpen = [this] {
      if (inBox_) return;
      inBox_ = true;
      TimerTick(200);
      inBox_ = false;
    };
    if (app.PrepareStartup(false)) return;
    // What an end without exit left is back before anything is taken again.
    if (const auto failure = EverythingBack("recovered at the start")) pending_ = failure;
    FakeWindow main;
    main.name = "main";
    main.rect = {0, 0, 0, 0};
    main.visible = false;
    main.className = u"PEEKBAR_MAIN";
    main.thread = FakeDesktop::kOwnThread;
    main.process = desktop_.OwnProcessId();
    main_ = desktop_.AddWindow(main);
    app.OnCreate(main_);
  }

  App& TheApp() { return *instance_->app; }

  // The watch timer fires `ms` after the last tick.
  void TimerTick(std::uint32_t ms) {
    desktop_.Advance(ms);
    ++ticks_;
    TheApp().OnTimer();
  }

  // b picks, now and then, a window of an administrator's program, or the
  // handle of a window closed before.
  WindowHandle AddProgramWindow(std::uint16_t title, std::uint16_t b = 1) {
    FakeWindow w;
    w.elevated = b % 16 == 0;
    w.title = std::u16string(kTitles[title % kTitles.size()]);
    w.className = title % 2 == 0 ? u"Editor" : u"Viewer";
    w.process = 20 + title % 5;
    w.thread = 2 + title % 5;
    w.rect = {200 + 40 * (title % 7), 150 + 30 * (title % 5), 900 + 40 * (title % 7), 650 + 30 * (title % 5)};
    WindowHandle window = kNoWindow;
    if (b % 8 == 3 && !closed_.empty()) window = desktop_.AddWindowWithHandle(closed_[b / 8 % closed_.size()], w);
    if (window == kNoWindow) window = desktop_.AddWindow(w);
    programs_.push_back(window);
    return window;
  }

  // As the system destroys a window: the windows it owns go first.
  void Close(WindowHandle window) {
    std::vector<WindowHandle> owned;
    for (const WindowHandle w : desktop_.ZOrderList()) {
      if (desktop_.Find(w)->owner == window) owned.push_back(w);
    }
    for (const WindowHandle w : owned) Close(w);
    desktop_.CloseWindow(window);
    closed_.push_back(window);
    TheApp().OnWindowDestroyed(window);
  }

  // A window of another program, picked among those that exist.
  FakeWindow* Pick(std::uint16_t a, WindowHandle* handle = nullptr) {
    std::erase_if(programs_, [&](WindowHandle w) { return desktop_.Find(w) == nullptr; });
    if (programs_.empty()) return nullptr;
    const WindowHandle w = programs_[a % programs_.size()];
    if (handle != nullptr) *handle = w;
    return desktop_.Find(w);
  }
  // The same, for something its program does itself: a hung program does nothing.
  FakeWindow* PickAnswering(std::uint16_t a, WindowHandle* handle = nullptr) {
    FakeWindow* w = Pick(a, handle);
    return w != nullptr && !w->hung ? w : nullptr;
  }

  void Do(const Step& s) {
    App& app = TheApp();
    WindowHandle handle = kNoWindow;
    switch (s.op) {
      case Op::Tick:
        TimerTick(kTickIntervals[s.a % kTickIntervals.size()]);
        break;
      case Op::Pointer:
        desktop_.SetPointer(kSpots[s.a % kSpots.size()]);
        break;
      case Op::Modifier: {
        const VirtualKey keys[] = {VirtualKey::Control, VirtualKey::Shift, VirtualKey::Alt};
        const VirtualKey key = keys[s.a % 3];
        if (s.b % 2 == 0) {
          desktop_.PressKey(key);
        } else {
          desktop_.ReleaseKey(key);
        }
        break;
      }
      case Op::Command: app.OnCommand(kCommands[s.a % kCommands.size()]); break;
      case Op::PickWindow:
      case Op::Unregister: {
        const int monitors = static_cast<int>(app.State().MonitorCount());
        const int monitor = s.a / kLocationCount % monitors;
        const int location = s.a % kLocationCount;
        // The menu lists the candidates first, as a user opens it before choosing.
        instance_->windows.chooseInMenu = nullptr;
        app.OnTrayNotify(1, tray_mouse::kRightButtonUp);
        const int item = s.op == Op::Unregister ? 1 : 3 + s.b % 6;
        app.OnCommand(static_cast<std::uint16_t>(LocationCommandId(monitor, location, item, monitors)));
        break;
      }
      case Op::KeywordDialog: {
        const int location = s.a % kLocationCount;
        FakeAppWindows& windows = instance_->windows;
        const int ticks = s.b % 4;
        windows.whileAnyDialogOpen = [this, ticks] {
          for (int t = 0; t < ticks; ++t) TimerTick(200);
        };
        const std::u16string_view typed[] = {u"*editor*", u"*mail*", u"notes*", u""};
        const bool confirm = s.b % 3 != 0;  // as Run reads it
        const std::u16string keyword(typed[s.b / 4 % 4]);
        windows.keywordDialog = [confirm, keyword](FixedText<kKeywordUnits>& text, std::int32_t& regex) {
          text = FixedText<kKeywordUnits>(keyword);
          regex = 0;
          return confirm;
        };
        app.OnCommand(static_cast<std::uint16_t>(
            LocationCommandId(0, location, 0, static_cast<int>(app.State().MonitorCount()))));
        windows.whileAnyDialogOpen = nullptr;
        windows.keywordDialog = nullptr;
        break;
      }
      case Op::OptionsSheet: {
        // The sheet edits the hide delay; a profile chosen under it must
        // not carry the edit into that profile's file.
        const int profile = app.State().profiles.selected;
        std::optional<std::u16string> others[2];
        for (int k = 0; k < 2; ++k) others[k] = store_.Get(ProfileIni(k), u"OPTION", u"HIDDEN_DELAY");
        FakeAppWindows& windows = instance_->windows;
        const bool switchUnder = s.a % 2 == 1;
        windows.whileAnyDialogOpen = [this, switchUnder, profile] {
          TimerTick(200);
          if (switchUnder) TheApp().OnCommand(static_cast<std::uint16_t>(command_id::kProfileFirst + 1 - profile));
        };
        const std::int32_t marker = 300 + s.b % 500;
        const bool confirm = s.b % 3 != 0;
        windows.optionsSheet = [marker, confirm](Settings& edited) {
          edited.hiddenDelay = marker;
          return confirm;
        };
        app.OnCommand(command_id::kOptions);
        windows.whileAnyDialogOpen = nullptr;
        windows.optionsSheet = nullptr;
        const int other = 1 - profile;
        if (store_.Get(ProfileIni(other), u"OPTION", u"HIDDEN_DELAY") != others[other] && !pending_) {
          pending_ = Fail("a profile's file only through that profile",
                          "profile " + std::to_string(other) + " took the sheet of profile " + std::to_string(profile));
        }
        break;
      }
      case Op::TrayClick: {
        const std::uint32_t messages[] = {0x0202, 0x0203, 0x0205};  // left up, double click, right up
        app.OnTrayNotify(1, messages[s.a % 3]);
        break;
      }
      case Op::Hotkey: {
        const auto& registered = instance_->hotkeys.registered;
        if (registered.empty()) break;
        auto key = registered.begin();
        std::advance(key, static_cast<std::ptrdiff_t>(s.a % registered.size()));
        app.OnHotkey(key->first);
        break;
      }
      case Op::NewWindow: {
        const WindowHandle w = AddProgramWindow(s.a, s.b);
        lastChange_[w] = ticks_;
        app.OnWindowShown(w);
        break;
      }
      case Op::CloseWindow:
        if (Pick(s.a, &handle) != nullptr) Close(handle);
        break;
      case Op::HideWindow:
        if (FakeWindow* w = PickAnswering(s.a)) w->visible = false;
        break;
      case Op::ShowWindow:
        if (FakeWindow* w = PickAnswering(s.a, &handle)) {
          w->visible = true;
          w->minimized = false;
          w->hiddenByCore = false;
          lastChange_[handle] = ticks_;
          app.OnWindowShown(handle);
        }
        break;
      case Op::MinimizeWindow:
        if (FakeWindow* w = PickAnswering(s.a)) {
          if (s.b % 2 == 0) {
            w->minimized = !w->minimized;
          } else {
            w->normalRect = w->rect;
            w->maximized = !w->maximized;
            if (w->maximized) w->rect = kFirst;
          }
        }
        break;
      case Op::RenameWindow:
        if (FakeWindow* w = PickAnswering(s.a, &handle)) {
          w->title = std::u16string(kTitles[s.b % kTitles.size()]);
          lastChange_[handle] = ticks_;
          app.OnWindowsChanged();
        }
        break;
      case Op::MoveWindow:
        if (FakeWindow* w = PickAnswering(s.a)) {
          const Point to = kSpots[s.b % kSpots.size()];
          w->rect = {to.x - 100, to.y - 100, to.x + 500, to.y + 300};
        }
        break;
      case Op::HangWindow:
        if (FakeWindow* w = Pick(s.a)) w->hung = !w->hung;
        break;
      case Op::ProcessDies:
        if (FakeWindow* w = Pick(s.a)) {
          const std::uint32_t process = w->process;
          std::vector<WindowHandle> dying;
          for (const WindowHandle h : desktop_.ZOrderList()) {
            const FakeWindow* f = desktop_.Find(h);
            if (f->process == process && f->owner == kNoWindow) dying.push_back(h);
          }
          for (const WindowHandle h : dying) {
            if (desktop_.Find(h) != nullptr) Close(h);
          }
        }
        break;
      case Op::OwnedPopup:
        if (FakeWindow* owner = PickAnswering(s.a, &handle)) {
          FakeWindow popup;
          popup.title = u"dialog";
          popup.className = u"#32770";
          popup.process = owner->process;
          popup.elevated = owner->elevated;  // the same process, the same privileges
          popup.thread = owner->thread;
          popup.owner = handle;
          popup.visible = owner->visible && s.b % 2 == 0;
          popup.rect = {owner->rect.left + 50, owner->rect.top + 50, owner->rect.left + 350, owner->rect.top + 250};
          const WindowHandle w = desktop_.AddWindow(popup);
          programs_.push_back(w);
          lastChange_[w] = ticks_;
          if (popup.visible) app.OnWindowShown(w);
        }
        break;
      case Op::CommandInWait: {
        const std::uint16_t command = kCommands[s.a % kCommands.size()];
        desktop_.OnWait([this, command](const DesktopCall&) {
          desktop_.OnWait(nullptr);
          fullApplication_ = fullApplication_ || AppliesInFull(command);
          TheApp().OnCommand(command);
        });
        break;
      }
      case Op::ClockJump: desktop_.Advance(s.a % 2 == 0 ? 3600000u : 0xFFFFFF00u); break;
      case Op::SecondMonitor:
        if (desktop_.monitors.size() == 1) {
          desktop_.monitors.push_back({u"\\\\.\\DISPLAY2", kSecondMonitor});
        } else {
          desktop_.monitors.pop_back();
        }
        app.OnDisplayChange();
        break;
      case Op::Rescale:
        desktop_.monitors.front().dpi = desktop_.monitors.front().dpi == kDefaultDpi ? 144 : kDefaultDpi;
        app.OnDisplayChange();
        break;
      case Op::SwitchDesktop: desktop_.SwitchDesktop(s.a % 3); break;
      case Op::SettingsFail: {
        const std::u16string file = s.a % 3 == 2 ? kMainIni : ProfileIni(s.a % 3);
        store_.FailWritesTo(file, s.b % 2 == 0);
        break;
      }
      case Op::ShellRestart: {
        // The shell's taskbar is made anew, under a new handle, shown.
        FakeWindow taskbar = *desktop_.Find(taskbar_);
        desktop_.CloseWindow(taskbar_);
        taskbar.visible = true;
        taskbar.hiddenByCore = false;
        taskbar_ = desktop_.AddWindow(taskbar);
        app.OnTaskbarCreated();
        break;
      }
      case Op::JournalFails:
        journalRefused_ = !journalRefused_;
        if (journalRefused_) {
          journal_.RefuseFolder(u"C:\\Tools\\Peekbar\\");
          if (s.a % 2 == 0) journal_.RefuseFolder(u"C:\\Users\\tester\\AppData\\Local\\Peekbar\\");
        } else {
          journal_.AcceptEveryFolder();
        }
        break;
      case Op::End: EndAndStart(s.a % 5); break;
    }
    desktop_.OnWait(nullptr);
  }

  // The program ends one of five ways, everything it hid is checked back,
  // and a new instance starts (recovering what the end left).
  void EndAndStart(int how) {
    App& app = TheApp();
    const std::uint32_t processId = desktop_.OwnProcessId();
    // A journal that could not be written: the user was told that a kill
    // then loses what it lacks, and only what the file lists can come back.
    // (A crash and the exit give back from memory.)
    if (!journal_.LastWriteSaved() && (how == 2 || how == 4)) {
      onDiskAtEnd_ = journal_.OwnPath().empty() ? JournalRecord{} : journal_.Own();
    }
    switch (how) {
      case 0: app.Shutdown(); break;  // the exit
      case 1:                         // the end of the session, then the system ends the process
        app.OnEndSession(true);
        journal_.EndWithoutExit();
        GiveBackForEndedInstance(desktop_, journal_, GuardedInstanceOf(instance_->shell, journal_, processId), 1);
        break;
      case 2:  // killed: the guardian gives back
        journal_.EndWithoutExit();
        GiveBackForEndedInstance(desktop_, journal_, GuardedInstanceOf(instance_->shell, journal_, processId), 1);
        break;
      case 3: {  // a crash: its filter gives back from the snapshot of the last write, and deletes the journal
        const JournalRecord snapshot = journal_.LastWritten();
        GiveBackAfterEnd(desktop_, std::vector<JournalRecord>{snapshot});
        const std::u16string path = journal_.OwnPath();
        journal_.EndWithoutExit();
        journal_.Delete(path);
        break;
      }
      default:  // the whole tree killed: the next start recovers
        journal_.EndWithoutExit();
        break;
    }
    if (main_ != kNoWindow) desktop_.CloseWindow(main_);
    main_ = kNoWindow;
    instance_->app.reset();
    if (how != 4) {
      if (const auto failure = EverythingBack("given back at the end")) pending_ = failure;
    }
    Start();
  }

  std::optional<Failure> Fail(std::string invariant, std::string detail) {
    return Failure{index_, std::move(invariant), std::move(detail)};
  }

  std::string Name(WindowHandle w) { return std::to_string(w); }

  // After any end: every window Peekbar hid is visible, the taskbar too,
  // and the lock time-out is the user's.
  std::optional<Failure> EverythingBack(const char* when) {
    const std::optional<JournalRecord> onDisk = std::exchange(onDiskAtEnd_, std::nullopt);
    for (const WindowHandle w : desktop_.ZOrderList()) {
      const FakeWindow& f = *desktop_.Find(w);
      if (!f.hiddenByCore || f.visible) continue;
      const bool lost = onDisk && !ListsAsItIs(*onDisk, w) && !(f.className == u"Shell_TrayWnd" && onDisk->taskbarHidden);
      if (!lost) return Fail(when, "window " + Name(w) + " stays hidden");
      // Lost with the journal: the user shows it again, as they were told.
      desktop_.Find(w)->visible = true;
      desktop_.Find(w)->hiddenByCore = false;
    }
    if (desktop_.LockTimeout() != kUserLockTimeout) return Fail(when, "the foreground lock time-out is not the user's");
    return std::nullopt;
  }

  bool HeldWith(WindowHandle w) {
    for (const MonitorSlot& slot : TheApp().State().monitorSlots) {
      for (const LocationSlot& at : slot.locations) {
        for (const JournalWindow& owned : at.cycle.HiddenWith()) {
          if (owned.window == w) return true;
        }
      }
    }
    return false;
  }

  // Listed as the window the handle names now (its process and class).
  bool ListsAsItIs(const JournalRecord& record, WindowHandle w) {
    const FakeWindow& f = *desktop_.Find(w);
    for (const auto* list : {&record.windows, &record.hiddenWith, &record.hiddenTaskbars}) {
      for (const JournalWindow& j : *list) {
        if (j.window == w && j.processId == f.process && j.className == f.className) return true;
      }
    }
    return false;
  }



  std::optional<Failure> Check() {
    if (pending_) return std::exchange(pending_, std::nullopt);
    if (!desktop_.BlockingCalls().empty()) return Fail("never freezes", desktop_.BlockingCalls().front());
    // Bounded work: counted, not timed.
    if (desktop_.TotalCalls() > 20000) {
      return Fail("bounded work", std::to_string(desktop_.TotalCalls()) + " desktop calls in one step");
    }
    if (KeywordMatchesMade() - matchesBefore_ > 20000) {
      return Fail("bounded work", std::to_string(KeywordMatchesMade() - matchesBefore_) + " keyword matches in one step");
    }
    const AppState& state = TheApp().State();
    const JournalRecord& snapshot = journal_.LastWritten();
    for (const WindowHandle w : desktop_.ZOrderList()) {
      const FakeWindow& f = *desktop_.Find(w);
      if (!f.hiddenByCore || f.visible) continue;
      // The taskbar may be registered by hand like any window (the menu lists it).
      const bool held = state.IsRegistered(w) || HeldWith(w);
      if (!held && IsTaskbarClass(f.className)) {
        const bool listed = f.className == u"Shell_TrayWnd" || f.className == u"Button" ? snapshot.taskbarHidden
                                                                                       : ListsAsItIs(snapshot, w);
        if (!listed) return Fail("journalled before hidden", "taskbar " + Name(w) + " not in the journal");
        continue;
      }
      if (!held) return Fail("hides only what it holds", "window " + Name(w) + " hidden and neither registered nor held");
      if (!ListsAsItIs(snapshot, w)) return Fail("journalled before hidden", "window " + Name(w) + " not in the journal");
    }
    if (journal_.LastWriteSaved() && !journal_.OwnPath().empty() && journal_.Own() != snapshot) {
      return Fail("journal on disk", "the file differs from the last write");
    }
    // What a window owns comes back when its program shows the window.
    for (int m = 0; m < state.MonitorCount(); ++m) {
      for (int n = 0; n < kLocationCount && lastWasTick_; ++n) {
        const ShowCycle& cycle = state.At(m, n).cycle;
        const FakeWindow* w = desktop_.Find(cycle.Window());
        if (cycle.IsShown() || w == nullptr || !w->visible || w->minimized) continue;
        // Up on another virtual desktop, it is not in front of the user yet.
        if (w->desktop != kEveryDesktop && w->desktop != desktop_.CurrentDesktop()) continue;
        for (const JournalWindow& owned : cycle.HiddenWith()) {
          const FakeWindow* o = desktop_.Find(owned.window);
          if (o != nullptr && !o->visible && o->hiddenByCore) {
            return Fail("what a window owns comes back with it",
                        "window " + Name(owned.window) + " stays hidden while " + Name(cycle.Window()) + " is up");
          }
        }
      }
    }
    // A location whose window is up ends its show once the window is off
    // the screen: within the wait for a show left to a hung program, and a
    // tick (paused, the edges wait).
    const std::uint32_t now = desktop_.Tick();
    for (int m = 0; m < state.MonitorCount(); ++m) {
      for (int n = 0; n < kLocationCount; ++n) {
        const ShowCycle& cycle = state.At(m, n).cycle;
        const FakeWindow* w = desktop_.Find(cycle.Window());
        const bool stale = cycle.IsShown() && !state.paused && (w == nullptr || !w->visible || w->minimized);
        auto& since = offScreenSince_[static_cast<std::size_t>(m * kLocationCount + n)];
        if (!stale) {
          since.reset();
        } else if (!since) {
          since = std::pair{now, ticks_};
        } else if (now - since->first > 2500 && ticks_ - since->second >= 2) {
          return Fail("a show ends once its window is gone",
                      "location " + std::to_string(m) + "/" + std::to_string(n) + " still up");
        }
      }
    }
    return std::nullopt;
  }

  FakeDesktop desktop_;
  FakeSettingsStore store_;
  FakeJournalStore journal_;
  std::unique_ptr<Instance> instance_;
  std::vector<WindowHandle> programs_;
  std::vector<WindowHandle> closed_;  // handles the system may give again
  WindowHandle taskbar_ = kNoWindow;
  WindowHandle main_ = kNoWindow;
  std::uint32_t starts_ = 0;
  bool journalRefused_ = false;
  std::size_t index_ = 0;
  std::optional<Failure> pending_;
  std::optional<JournalRecord> onDiskAtEnd_;
  // The tick after which each window of another program last came up or was renamed.
  std::map<WindowHandle, std::uint64_t> lastChange_;
  // The last tick after which each location held a window or had its keyword applied in full.
  std::array<std::uint64_t, 2 * kLocationCount> quietSince_{};
  bool fullApplication_ = false;
  int appliedAt_ = -1;  // a location whose keyword alone was applied in full, on the first monitor
  bool lastWasTick_ = false;
  std::uint64_t ticks_ = 0;
  std::uint64_t matchesBefore_ = 0;
  bool inBox_ = false;
  // Since when (clock, ticks) each location has been up with its window off the screen.
  std::array<std::optional<std::pair<std::uint32_t, std::uint64_t>>, 2 * kLocationCount> offScreenSince_;
};

}  // namespace

std::string StepsText(const std::vector<Step>& steps) {
  std::string text;
  for (const Step& s : steps) {
    if (!text.empty()) text += ' ';
    text += kOpNames[static_cast<std::size_t>(s.op)];
    text += ':' + std::to_string(s.a) + ',' + std::to_string(s.b);
  }
  return text;
}

std::optional<std::vector<Step>> ParseSteps(std::string_view text) {
  std::vector<Step> steps;
  std::istringstream words{std::string(text)};
  std::string word;
  while (words >> word) {
    const std::size_t colon = word.find(':');
    const std::size_t comma = word.find(',', colon);
    if (colon == std::string::npos || comma == std::string::npos) return std::nullopt;
    const auto name = std::find(kOpNames.begin(), kOpNames.end(), std::string_view(word).substr(0, colon));
    if (name == kOpNames.end()) return std::nullopt;
    Step s;
    s.op = static_cast<Op>(name - kOpNames.begin());
    s.a = static_cast<std::uint16_t>(std::stoul(word.substr(colon + 1, comma - colon - 1)));
    s.b = static_cast<std::uint16_t>(std::stoul(word.substr(comma + 1)));
    steps.push_back(s);
  }
  return steps;
}

std::vector<Step> GenerateSteps(std::uint64_t seed, std::size_t count) {
  Random random{seed};
  unsigned total = 0;
  for (const std::uint8_t weight : kWeights) total += weight;
  std::vector<Step> steps;
  steps.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint64_t r = random.Next();
    unsigned pick = static_cast<unsigned>(r % total);
    std::size_t op = 0;
    while (pick >= kWeights[op]) pick -= kWeights[op++];
    steps.push_back({static_cast<Op>(op), static_cast<std::uint16_t>(r >> 16), static_cast<std::uint16_t>(r >> 32)});
  }
  return steps;
}

std::optional<Failure> RunSteps(const std::vector<Step>& steps, RunCounts* counts, std::FILE* trace) {
  World world;
  for (std::size_t i = 0; i < steps.size(); ++i) {
    if (counts != nullptr) ++counts->steps;
    auto failure = world.Run(steps[i], i);
    if (trace != nullptr) {
      std::fprintf(trace, "%zu %s:%s\n", i, StepsText({steps[i]}).c_str(), world.Holdings().c_str());
    }
    if (failure) return failure;
  }
  return std::nullopt;
}

std::vector<Step> Shrink(std::vector<Step> steps, const Failure& failure) {
  const auto stillFails = [&](const std::vector<Step>& candidate) {
    const auto f = RunSteps(candidate);
    return f && f->invariant == failure.invariant;
  };
  // Nothing after the failing step matters.
  steps.resize(std::min(steps.size(), failure.step + 1));
  // Remove ever smaller chunks while the same promise still breaks.
  for (std::size_t chunk = steps.size() / 2; chunk >= 1; chunk /= 2) {
    for (std::size_t start = 0; start < steps.size();) {
      std::vector<Step> candidate(steps.begin(), steps.begin() + static_cast<std::ptrdiff_t>(start));
      const std::size_t end = std::min(steps.size(), start + chunk);
      candidate.insert(candidate.end(), steps.begin() + static_cast<std::ptrdiff_t>(end), steps.end());
      if (stillFails(candidate)) {
        steps = std::move(candidate);
      } else {
        start += chunk;
      }
    }
  }
  return steps;
}

#ifdef PEEKBAR_PLANTS
namespace {

struct PlantEntry {
  PlantName name;
  Plant plant;
};

constexpr PlantEntry kPlants[] = {
    {{"keyword-takes-window-on-screen", "a waiting location takes a window the user had on the screen, unchanged"},
     Plant::KeywordTakesWindowOnScreen},
    {{"owned-stranded", "what a window owns stays hidden when its program shows the window"},
     Plant::OwnedStrandedWhenWindowComesBack},
    {{"profile-under-sheet", "another profile chosen under an open sheet, which then writes into it"},
     Plant::ProfileSwitchUnderSheet},
    {{"cycle-held-by-hidden-window", "a window its program hid keeps its show going"}, Plant::CycleHeldByHiddenWindow},
    {{"hide-before-journal", "a window registered is hidden before the journal names it"}, Plant::HideBeforeJournal},
};

}  // namespace

std::vector<PlantName> Plants() {
  std::vector<PlantName> names;
  for (const PlantEntry& entry : kPlants) names.push_back(entry.name);
  return names;
}

bool PlantFault(std::string_view name) {
  for (const PlantEntry& entry : kPlants) {
    if (name == entry.name.name) {
      ActivePlant() = entry.plant;
      return true;
    }
  }
  return false;
}
#else
std::vector<PlantName> Plants() { return {}; }
bool PlantFault(std::string_view) { return false; }
#endif

}  // namespace peekbar::sim

#ifdef PEEKBAR_PLANTS
peekbar::Plant& peekbar::ActivePlant() {
  static Plant plant = Plant::None;
  return plant;
}
#endif
