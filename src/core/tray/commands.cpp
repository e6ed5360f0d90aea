#include "core/tray/commands.h"

namespace peekbar {

namespace {

bool IsFixedInUse(std::uint16_t id) {
  using namespace command_id;
  return (id >= kExit && id <= kGuideLabelSettings) || (id >= kStartupShortcut && id <= kApplyAllKeywords) ||
         (id >= kTriggerEnable && id <= kProfileRename);
}

}  // namespace

int LocationBlockSize(int monitorCount) {
  using namespace command_id;
  constexpr int kAvailable = 65536 - kLocationFirst;
  const int locations = 16 * (monitorCount > 1 ? monitorCount : 1);
  const int fitting = kAvailable / locations;
  return fitting < kLocationBlock ? fitting : kLocationBlock;
}

int MaxMenuCandidates(int monitorCount) {
  const int candidates = LocationBlockSize(monitorCount) - command_id::kLocationItems;
  return candidates > 0 ? candidates : 0;
}

int LocationCommandId(int monitor, int location, int k, int monitorCount) {
  return command_id::kLocationFirst + (16 * monitor + location) * LocationBlockSize(monitorCount) + k;
}

Command DecodeCommand(std::uint16_t id, int monitorCount) {
  using namespace command_id;
  Command c;
  c.id = id;
  if (id >= kExit && id <= kProfileRename) {
    if (IsFixedInUse(id)) c.kind = CommandKind::Fixed;
    return c;
  }
  if (id >= kMonitorPopHidden && id <= kMonitorPopLast) {
    c.kind = CommandKind::MonitorPopPosition;
    c.value = id - (kMonitorPopHidden + 1);
    return c;
  }
  if (id >= kProfileFirst && id <= kProfileLast) {
    c.kind = CommandKind::SelectProfile;
    c.value = id - kProfileFirst;
    return c;
  }
  if (id >= kRegistrationSheetFirst && id < kLocationFirst) {
    if (id - kRegistrationSheetFirst < monitorCount) {
      c.kind = CommandKind::RegistrationSheet;
      c.monitor = id - kRegistrationSheetFirst;
    }
    return c;
  }
  if (id >= kLocationFirst) {
    const int block = LocationBlockSize(monitorCount);
    if (block <= kLocationItems) return c;
    const int x = id - kLocationFirst;
    const int monitor = x / (16 * block);
    if (monitor >= monitorCount) return c;
    c.kind = CommandKind::Location;
    c.monitor = monitor;
    c.location = (x / block) % 16;
    const int k = x % block;
    c.item = k >= 3 ? LocationItem::Candidate : static_cast<LocationItem>(k);
    c.candidate = k >= 3 ? k - 3 : 0;
  }
  return c;
}

}  // namespace peekbar
