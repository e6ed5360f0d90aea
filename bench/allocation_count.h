// Counts the program's heap allocations, so that a measurement can show that
// a path allocates nothing.
#pragma once

#include <cstdint>

namespace peekbar::bench {

// Allocations through operator new since the program started.
std::uint64_t AllocationCount();

}  // namespace peekbar::bench
