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

  std::int32_t Width() const { return right - left; }
  std::int32_t Height() const { return bottom - top; }
  bool Contains(Point p) const { return left <= p.x && p.x < right && top <= p.y && p.y < bottom; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace peekbar
