// The program's shared state: one record per monitor with its sixteen edge
// locations, the candidate-window list, the run-time flags, the profile state
// and the settings. Everything lives on the one GUI thread.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/desktop.h"
#include "core/base/geometry.h"
#include "core/base/locations.h"
#include "core/base/settings.h"
#include "core/base/show_cycle.h"
#include "core/base/text.h"

namespace peekbar {

inline constexpr std::size_t kKeywordUnits = 256;   // NUL included
inline constexpr std::size_t kTitleUnits = 128;     // titles, class names, profile names

using Color = std::uint32_t;  // 0x00BBGGRR

// One edge location of one monitor: what the profile says of it, and what
// the program does with it while it runs.
struct LocationSlot {
  // From the profile (KEYWORD_n, REG_EXP_n, GUIDE_COLOR_n); the label colour
  // is derived from the guide colour.
  FixedText<kKeywordUnits> keyword;
  std::int32_t isRegex = 0;
  Color guideColor = 0;
  Color labelColor = 0;
  // HOTKEY_n: the combination that brings the window up and puts it away.
  std::int32_t hotkey = 0;
  // The window's rectangle as last remembered (WIN_*_n; all zero when
  // nothing is remembered), and the DPI of the monitor it lay on (0 where
  // the profile does not say, as files written before did not).
  Rect savedRect;
  std::uint32_t savedDpi = 0;
  // At run time: the registered window and where it stands between hidden
  // and shown, changed only through the cycle's transitions.
  ShowCycle cycle;
  // The user took the window away by hand: the keyword catches no new
  // window here until keywords are applied again.
  bool emptiedByHand = false;
  // While it waits for a window for its keyword: the last look at the
  // desktop it has seen; what came up or was renamed after that look is for
  // it to take. 0 until it has seen one.
  std::uint64_t lookSeen = 0;
};

struct MonitorSlot {
  Rect monitorRect;
  // The device the slot stands for. A slot whose monitor was detached while
  // the program runs stays, inactive (no edges, no guide, not in the menu,
  // no windows), so that the monitor takes it again when it comes back.
  std::u16string device;
  // Its monitor's dots per inch: overlays drawn on it are scaled to it.
  std::uint32_t dpi = kDefaultDpi;
  bool active = true;
  std::array<LocationSlot, kLocationCount> locations{};

  LocationSlot& operator[](int location) { return locations[static_cast<std::size_t>(location)]; }
  const LocationSlot& operator[](int location) const { return locations[static_cast<std::size_t>(location)]; }
  // The window registered at each location, in location order.
  std::array<WindowHandle, kLocationCount> Windows() const;
};

// A location's keys in the section MONITOR_<monitor> of a profile, named by
// a prefix and the location's number, in the order they are read and
// written. The keyword is the one text; the others are integers.
enum class LocationSettingsGroup : std::uint8_t {
  Location,    // KEYWORD, REG_EXP, GUIDE_COLOR: read with the profile, written by the dialogs
  WindowRect,  // WIN_*: written when a window goes away, read back only to restore it
  Hotkey,      // HOTKEY: read with the profile, written by its dialog
};
struct LocationSettingDef {
  LocationSettingsGroup group;
  std::u16string_view prefix;
  std::int32_t defaultValue;
  // Null for the keyword. `set` applies the key's read rule.
  std::int32_t (*get)(const LocationSlot&);
  void (*set)(LocationSlot&, std::int32_t);
};
std::span<const LocationSettingDef> LocationSettingDefinitions();
std::u16string LocationKey(const LocationSettingDef& def, int location);

// Keywords match a title whole, however long (a browser's title ends with
// its name after the page's): read up to this many units, NUL included.
inline constexpr std::size_t kMatchedTitleUnits = 1025;

// A class name is at most 256 units long: read whole, NUL included.
inline constexpr std::size_t kClassNameUnits = 257;

// One candidate top-level window, as collected for the menu and the sheets.
struct WindowEntry {
  WindowHandle window = kNoWindow;
  // Title and class name whole, for keywords; the menu and the sheets show
  // the first 127 units of each.
  std::u16string title;
  std::u16string className;
  std::uint32_t processId = 0;
};

// The shell's own windows (taskbars, the desktop): listed among the
// candidates, and registered by hand if the user insists, but never taken
// by a keyword, which a keyword such as "*" would do.
bool IsShellWindowClass(std::u16string_view className);

// Index of the first active monitor whose rectangle holds the point; the
// first active one when none does.
int MonitorIndexFromPoint(const std::vector<MonitorSlot>& monitors, Point point);

// Top-left position that centres a w x h rectangle on the point inside the
// monitor; the left and top bounds win when it does not fit.
Point FitRectAroundPoint(const Rect& monitor, const Rect& rect, Point point);

// Larger than any window the system makes.
inline constexpr std::int64_t kLargestWindowExtent = 65536;
// A remembered rectangle worth putting a window at: a positive size no
// larger than a window can be, and its centre on one of the present
// (active) monitors. Anything else (a monitor unplugged since, a hand-edited file)
// would put the window where no one can reach it.
bool IsUsableSavedRect(const Rect& rect, const std::vector<MonitorSlot>& monitors);
// The DPI of the active monitor holding the rectangle's centre; `otherwise`
// where none does.
std::uint32_t DpiAt(const Rect& rect, const std::vector<MonitorSlot>& monitors, std::uint32_t otherwise);
// The remembered rectangle for the monitor it lies on now: when that
// monitor's DPI is not the one it was remembered at, its size in
// proportion, and a side that touched the monitor's right or bottom edge
// still touching it (else the top-left corner stays).
Rect SavedRectForNow(const LocationSlot& at, const std::vector<MonitorSlot>& monitors);

// The sentinel in savedForeground meaning "captured, but nothing to restore".
inline constexpr WindowHandle kCapturedNothing = 1;

inline constexpr int kProfileCount = 10;

struct ProfileState {
  std::u16string executableDirectory;
  std::u16string userName;
  std::u16string mainSettingsPath;
  std::array<std::u16string, kProfileCount> profilePaths;
  std::array<FixedText<kTitleUnits>, kProfileCount> names;
  int selected = 0;

  const std::u16string& SelectedPath() const { return profilePaths[static_cast<std::size_t>(selected)]; }
};

struct AppState {
  std::vector<MonitorSlot> monitorSlots;
  std::vector<WindowEntry> windowList;
  Settings settings;
  ProfileState profiles;

  // What the user's sizes (guide widths, fonts, the trigger window) were
  // chosen at; a monitor at another DPI scales them.
  std::uint32_t systemDpi = kDefaultDpi;
  WindowHandle mainWindow = kNoWindow;
  WindowHandle savedForeground = kNoWindow;
  WindowHandle taskbarWindow = kNoWindow;
  WindowHandle startButtonWindow = kNoWindow;
  bool modalBusy = false;
  // The session or the program ends: every window has been given back, and
  // nothing is hidden, registered or brought up any more.
  bool ending = false;
  bool showAllActive = false;
  bool paused = false;
  // The tray menu is open. It holds the foreground, which its keys need:
  // nothing brings a window up or puts one away meanwhile, as either would
  // take the foreground from it and leave a menu that Escape cannot close.
  bool trayMenuOpen = false;
  bool ctrlDown = false;
  bool shiftDown = false;
  bool altDown = false;

  int MonitorCount() const { return static_cast<int>(monitorSlots.size()); }
  MonitorSlot& Monitor(int monitor) { return monitorSlots[static_cast<std::size_t>(monitor)]; }
  const MonitorSlot& Monitor(int monitor) const { return monitorSlots[static_cast<std::size_t>(monitor)]; }
  LocationSlot& At(int monitor, int location) { return Monitor(monitor)[location]; }
  const LocationSlot& At(int monitor, int location) const { return Monitor(monitor)[location]; }
  // Whether any location of any monitor holds the window.
  bool IsRegistered(WindowHandle window) const;
};

}  // namespace peekbar
