// Faults that were mended, put back one at a time on purpose, so that the
// seeded simulation can show that it finds each. They exist only in the
// simulator's own build of the core (PEEKBAR_PLANTS defined); in every other
// build Planted() is a constant false and the code behind it is gone.
#pragma once

namespace peekbar {

enum class Plant : unsigned char {
  None,
  KeywordTakesWindowOnScreen,  // a waiting location takes a window the user had on the screen
  OwnedStrandedWhenWindowComesBack,  // what a window owns stays hidden when its program shows it
  ProfileSwitchUnderSheet,     // another profile chosen while a dialog is open
  CycleHeldByHiddenWindow,     // a window its program hid keeps its show going
  HideBeforeJournal,           // a registered window hidden before the journal names it
};

#ifdef PEEKBAR_PLANTS
// The one fault put back for this run; None by default. Defined by the simulator.
Plant& ActivePlant();
inline bool Planted(Plant plant) { return ActivePlant() == plant; }
#else
constexpr bool Planted(Plant) { return false; }
#endif

}  // namespace peekbar
