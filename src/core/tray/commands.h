// Command identifiers of the tray menu, declared once, and their decoding.
#pragma once

#include <cstdint>

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
inline constexpr std::uint16_t kMonitorPopHidden = 1100;  // 1100..1105: SHOW = id - 1101
inline constexpr std::uint16_t kMonitorPopLast = 1105;
inline constexpr std::uint16_t kProfileFirst = 1200;      // 1200..1209
inline constexpr std::uint16_t kProfileLast = 1209;
inline constexpr std::uint16_t kRegistrationSheetFirst = 1300;  // 1300 + monitor
inline constexpr std::uint16_t kLocationFirst = 2000;
inline constexpr int kLocationBlock = 259;  // 3 commands + 256 candidates
inline constexpr int kMaxCandidates = 256;
inline constexpr int kLocationItems = 3;     // keyword, unregister, guide colour
}  // namespace command_id

enum class CommandKind : std::uint8_t {
  Ignored,            // an identifier the menu never produces
  Fixed,              // one of the fixed identifiers 1001..1047 in use
  MonitorPopPosition, // value = MONITOR_POP SHOW, -1..4
  SelectProfile,      // value = profile 0..9
  RegistrationSheet,  // monitor
  Location,           // monitor, location, item
};

enum class LocationItem : std::uint8_t { Keyword, Unregister, GuideColor, Candidate };

struct Command {
  CommandKind kind = CommandKind::Ignored;
  std::uint16_t id = 0;
  int value = 0;
  int monitor = 0;
  int location = 0;
  LocationItem item = LocationItem::Keyword;
  int candidate = 0;  // with LocationItem::Candidate
};

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

// The identifier of a location command (k: 0 keyword, 1 unregister, 2 guide
// colour, 3 + i candidate i).
int LocationCommandId(int monitor, int location, int k, int monitorCount = 1);

}  // namespace peekbar
