#include "core/app/guardian.h"

#include "core/base/state.h"
#include "core/base/text.h"
#include "core/settings/settings_file.h"

namespace peekbar {
namespace {

// A guardian that cannot run (its program removed, a security tool ending
// it) is not started over and over.
constexpr std::uint32_t kRestartPeriodMs = 60000;

}  // namespace

void GuardianKeeper::Start() {
  due_ = !shell_.StartGuardian();
  if (due_) restartedAt_ = desktop_.TickCount();
}

void GuardianKeeper::Ended() {
  due_ = true;
  Tick();
}

void GuardianKeeper::Tick() {
  if (!due_) return;
  // Unsigned: right across a wrap of the tick count.
  if (restartedAt_ && desktop_.TickCount() - *restartedAt_ < kRestartPeriodMs) return;
  restartedAt_ = desktop_.TickCount();
  due_ = !shell_.StartGuardian();
}

GuardedInstance GuardedInstanceOf(Shell& shell, JournalStore& store, std::uint32_t processId) {
  GuardedInstance instance;
  instance.userName = std::u16string(CutToUnits(shell.UserName(), kTitleUnits - 1));
  instance.seat = store.Seat();
  instance.processId = processId;
  instance.folders[0] = ExecutableDirectory(shell.ExecutablePath());
  instance.folders[1] = store.UserFolder();
  if (instance.folders[1] == instance.folders[0]) instance.folders[1].clear();
  return instance;
}

}  // namespace peekbar
