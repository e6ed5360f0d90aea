// Points and rectangles in virtual-screen pixels. Right and bottom are
// exclusive, as the system reports monitor and window rectangles.
#pragma once

#include <cstdint>

namespace peekbar {

struct Point {
  std::int32_t x = 0;
  std::int32_t y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Rect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;

  // In 64 bits: a rectangle read from a file may span more than 32 bits hold.
  std::int64_t Width() const { return static_cast<std::int64_t>(right) - left; }
  std::int64_t Height() const { return static_cast<std::int64_t>(bottom) - top; }
  bool Contains(Point p) const { return left <= p.x && p.x < right && top <= p.y && p.y < bottom; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace peekbar
