// The program's shared state: one record per monitor with its sixteen edge
// locations, the candidate-window list, the run-time flags, the profile state
// and the settings. Everything lives on the one GUI thread.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "core/base/desktop.h"
#include "core/base/geometry.h"
#include "core/base/text.h"
#include "core/base/settings.h"

namespace peekbar {

// Edge locations, numbered clockwise from the top-left corner.
inline constexpr int kLocationCount = 16;
enum EdgeLocation : int {
  TopLeftCorner = 0,
  TopLeft, TopMiddle, TopRight,
  TopRightCorner,
  RightTop, RightMiddle, RightBottom,
  BottomRightCorner,
  BottomRight, BottomMiddle, BottomLeft,
  BottomLeftCorner,
  LeftBottom, LeftMiddle, LeftTop,
};

// The location's name, as the registration sheet and keyword dialog show it.
std::u16string_view LocationName(int location);
// The location's item text in the tray menu, with its mnemonic.
std::u16string_view LocationMenuLabel(int location);

inline constexpr std::size_t kKeywordUnits = 256;   // NUL included
inline constexpr std::size_t kTitleUnits = 128;     // titles, class names, profile names

using Color = std::uint32_t;  // 0x00BBGGRR

struct MonitorSlot {
  Rect monitorRect;
  std::array<WindowHandle, kLocationCount> window{};
  std::array<Rect, kLocationCount> savedRect{};
  std::array<std::int32_t, kLocationCount> shown{};
  std::array<std::int32_t, kLocationCount> visited{};
  std::array<std::uint32_t, kLocationCount> stamp{};
  std::array<FixedText<kKeywordUnits>, kLocationCount> keyword{};
  std::array<std::int32_t, kLocationCount> isRegex{};
  WindowHandle guideWindow = kNoWindow;
  std::array<Color, kLocationCount> guideColor{};
  std::array<Color, kLocationCount> labelColor{};
  WindowHandle popupWindow = kNoWindow;
};

// One candidate top-level window, as collected for the menu and the sheets.
struct WindowEntry {
  WindowHandle window = kNoWindow;
  FixedText<kTitleUnits> title;
  FixedText<kTitleUnits> className;
};

// The stretch of one monitor's edges that belongs to each location, from
// CORNER_LENGTH and MIDDLE_LENGTH (percentages), in 32-bit integers with every
// division truncating toward zero.
struct LocationSpan {
  std::int32_t cornerX = 0;
  std::int32_t cornerY = 0;
  std::int32_t sideX = 0;
  std::int32_t sideY = 0;

  static LocationSpan Of(const Rect& monitor, std::int32_t cornerLength, std::int32_t middleLength);
};

// A half-open interval [begin, end) along one edge.
struct EdgeInterval {
  std::int32_t begin = 0;
  std::int32_t end = 0;
  bool Contains(std::int32_t v) const { return begin <= v && v < end; }
};

enum class Edge : std::uint8_t { Top, Right, Bottom, Left };

// The spans of a location: corners have two (one on each edge that meets
// there), the others one. Returns the number filled (1 or 2).
struct LocationEdgeSpan {
  Edge edge = Edge::Top;
  EdgeInterval interval;
};
int LocationSpans(const Rect& monitor, const LocationSpan& span, int location,
                  std::array<LocationEdgeSpan, 2>& out);

// Index of the first monitor whose rectangle holds the point; 0 when none does.
int MonitorIndexFromPoint(const std::vector<MonitorSlot>& monitors, Point point);

// Top-left position that centres a w x h rectangle on the point inside the
// monitor; the left and top bounds win when it does not fit.
Point FitRectAroundPoint(const Rect& monitor, const Rect& rect, Point point);

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

  WindowHandle mainWindow = kNoWindow;
  WindowHandle savedForeground = kNoWindow;
  WindowHandle taskbarWindow = kNoWindow;
  WindowHandle startButtonWindow = kNoWindow;
  // The user's foreground lock time-out, read before a show first lifts it
  // and put back at the end of the show cycle and at exit.
  std::optional<std::uint32_t> userForegroundLockTimeout;
  bool modalBusy = false;
  bool showAllActive = false;
  bool paused = false;
  bool ctrlDown = false;
  bool shiftDown = false;
  bool altDown = false;

  int MonitorCount() const { return static_cast<int>(monitorSlots.size()); }
};

}  // namespace peekbar
