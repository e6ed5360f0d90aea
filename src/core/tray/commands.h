// The tray menu's commands, declared once: their identifiers, their menu
// labels, and how each stands to the program's dialogs. The menu model takes
// its items from this table, the main window decodes every WM_COMMAND
// through it, and the application binds one handler to each action.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace peekbar {

namespace command_id {
inline constexpr std::uint16_t kExit = 1001;
inline constexpr std::uint16_t kReadme = 1002;
inline constexpr std::uint16_t kAbout = 1003;
inline constexpr std::uint16_t kOptions = 1004;
inline constexpr std::uint16_t kGuideLabelSettings = 1005;
inline constexpr std::uint16_t kStartupShortcut = 1014;
inline constexpr std::uint16_t kPause = 1015;
inline constexpr std::uint16_t kShowAll = 1016;
inline constexpr std::uint16_t kUnregisterAll = 1017;
inline constexpr std::uint16_t kApplyAllKeywords = 1018;
inline constexpr std::uint16_t kTriggerEnable = 1037;
inline constexpr std::uint16_t kTriggerCtrl = 1038;
inline constexpr std::uint16_t kTriggerShift = 1039;
inline constexpr std::uint16_t kTriggerAlt = 1040;
inline constexpr std::uint16_t kTriggerSettings = 1041;
inline constexpr std::uint16_t kMonitorPopAlpha = 1042;
inline constexpr std::uint16_t kMonitorPopFont = 1043;
inline constexpr std::uint16_t kTrayColorNormal = 1044;
inline constexpr std::uint16_t kTrayColorWhite = 1045;
inline constexpr std::uint16_t kTrayColorBlack = 1046;
inline constexpr std::uint16_t kProfileRename = 1047;
inline constexpr std::uint16_t kHotkeySettings = 1048;
// Below the fixed identifiers, as every block above them is taken: one per
// location of each of the 40 monitor slots, 16 x monitor + location.
inline constexpr std::uint16_t kLocationHotkeyFirst = 360;
inline constexpr std::uint16_t kLocationHotkeyLast = 999;
inline constexpr std::uint16_t kMonitorPopHidden = 1100;  // 1100..1105: SHOW = id - 1101
inline constexpr std::uint16_t kMonitorPopLast = 1105;
inline constexpr std::uint16_t kProfileFirst = 1200;      // 1200..1209
inline constexpr std::uint16_t kProfileLast = 1209;
inline constexpr std::uint16_t kRegistrationSheetFirst = 1300;  // 1300 + monitor
inline constexpr std::uint16_t kRegistrationSheetLast = 1999;
inline constexpr std::uint16_t kLocationFirst = 2000;
inline constexpr int kMaxCandidates = 256;
inline constexpr int kLocationItems = 3;     // keyword, unregister, guide colour
inline constexpr int kLocationBlock = kLocationItems + kMaxCandidates;  // 259
}  // namespace command_id

// What a command does; one handler each.
enum class CommandAction : std::uint8_t {
  Ignored,  // an identifier the menu never produces
  Exit,
  Readme,
  About,
  Options,
  GuideLabelSettings,
  StartupShortcut,
  Pause,
  ShowAll,
  UnregisterAll,
  ApplyAllKeywords,
  TriggerEnable,
  TriggerCtrl,
  TriggerShift,
  TriggerAlt,
  TriggerSettings,
  MonitorPopAlpha,
  MonitorPopFont,
  TrayIconColor,       // value = TRAY_ICON_COLOR, 0..2
  ProfileRename,
  HotkeySettings,      // PAUSE and MENU
  MonitorPopPosition,  // value = MONITOR_POP SHOW, -1..4
  SelectProfile,       // value = profile 0..9
  RegistrationSheet,   // monitor
  LocationHotkey,      // monitor, location: its own range, below the fixed identifiers
  LocationKeyword,     // monitor, location
  LocationUnregister,
  LocationGuideColor,
  LocationCandidate,   // monitor, location, candidate
};
inline constexpr std::size_t kCommandActionCount = static_cast<std::size_t>(CommandAction::LocationCandidate) + 1;

// How a command stands to the dialogs started from the main window: while
// one is open (modalBusy) no second one opens over it, except the small
// choosers of the monitor-number captions, which may open over any dialog
// and leave the flag as they found it when they close; and nothing replaces
// the profile that an open dialog edits a copy of.
enum class Modality : std::uint8_t {
  None,     // runs at once, also while a dialog is open
  Dialog,   // opens a dialog; refused while another is open
  Nested,   // opens a dialog whatever is open
  Profile,  // runs at once, but refused while a dialog is open: it reads another profile
};

// Whether the command is refused while a dialog is open.
constexpr bool RefusedWhileDialogOpen(Modality modality) {
  return modality == Modality::Dialog || modality == Modality::Profile;
}

// One row: an action and its identifiers, tested in table order.
struct CommandSpec {
  CommandAction action;
  std::uint16_t first;
  std::uint16_t last;
  Modality modality;
  // The menu text of each identifier of the range, or one for them all;
  // empty where the menu makes the text from the state (profile names,
  // windows).
  std::span<const std::u16string_view> labels;
};

std::span<const CommandSpec> CommandTable();
const CommandSpec& SpecOf(CommandAction action);
// The identifier and menu label of the index-th identifier of an action.
std::uint16_t CommandIdOf(CommandAction action, int index = 0);
std::u16string_view CommandLabelOf(CommandAction action, int index = 0);

struct Command {
  CommandAction action = CommandAction::Ignored;
  Modality modality = Modality::None;
  std::uint16_t id = 0;
  int value = 0;
  int monitor = 0;
  int location = 0;
  int candidate = 0;
};

// Whether the command acts on one monitor (its registration sheet, a location).
bool NamesMonitor(CommandAction action);

// Decodes the low 16 bits of a WM_COMMAND wParam, in the order the ranges are
// tested: fixed identifiers, monitor-number positions, profiles, registration
// sheets, location commands. Monitors at or past monitorCount are ignored.
Command DecodeCommand(std::uint16_t id, int monitorCount);

// Identifiers travel in 16 bits. Up to 15 monitors each location owns a
// block of 259 identifiers (3 commands and 256 candidates); with more
// monitors the blocks shrink, and with them the number of candidates a
// location offers, so that every identifier stays below 65536 and decodes to
// one location.
int LocationBlockSize(int monitorCount);
int MaxMenuCandidates(int monitorCount);

// The identifier of a location's hotkey dialog.
int LocationHotkeyCommandId(int monitor, int location);

// The identifier of a location command (k: 0 keyword, 1 unregister, 2 guide
// colour, 3 + i candidate i).
int LocationCommandId(int monitor, int location, int k, int monitorCount = 1);

}  // namespace peekbar
