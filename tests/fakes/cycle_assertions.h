// Assertions on a location's show cycle, with its phases named in failure
// messages.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>

#include "core/base/state.h"

namespace peekbar {

inline const char* CyclePhaseName(CyclePhase phase) {
  switch (phase) {
    case CyclePhase::Empty: return "empty";
    case CyclePhase::Hidden: return "hidden";
    case CyclePhase::Dwelling: return "dwelling";
    case CyclePhase::Shown: return "shown";
    case CyclePhase::Visited: return "visited";
    case CyclePhase::Left: return "left";
  }
  return "?";
}

inline void PrintTo(CyclePhase phase, std::ostream* out) { *out << CyclePhaseName(phase); }

// The location stands in a phase that counts from a time, counting from `since`.
inline testing::AssertionResult InPhase(const LocationSlot& at, CyclePhase phase, std::uint32_t since) {
  if (at.cycle.Phase() == phase && at.cycle.Since() == since) return testing::AssertionSuccess();
  return testing::AssertionFailure() << CyclePhaseName(at.cycle.Phase()) << " since " << at.cycle.Since()
                                     << ", not " << CyclePhaseName(phase) << " since " << since;
}

}  // namespace peekbar
