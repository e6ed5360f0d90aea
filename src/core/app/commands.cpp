#include "app/commands.h"

namespace peekbar {

namespace {

bool IsFixedInUse(std::uint16_t id) {
  using namespace command_id;
  return (id >= kExit && id <= kGuideLabelSettings) || (id >= kStartupShortcut && id <= kApplyAllKeywords) ||
         (id >= kTriggerEnable && id <= kProfileRename);
}

}  // namespace

int LocationCommandId(int monitor, int location, int k) {
  return command_id::kLocationFirst + (16 * monitor + location) * command_id::kLocationBlock + k;
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
    const int x = id - kLocationFirst;
    const int monitor = x / kMonitorBlock;
    if (monitor >= monitorCount) return c;
    c.kind = CommandKind::Location;
    c.monitor = monitor;
    c.location = (x / kLocationBlock) % 16;
    const int k = x % kLocationBlock;
    c.item = k >= 3 ? LocationItem::Candidate : static_cast<LocationItem>(k);
    c.candidate = k >= 3 ? k - 3 : 0;
  }
  return c;
}

}  // namespace peekbar
