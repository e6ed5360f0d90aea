#include "core/base/locations.h"

namespace peekbar {
namespace {

constexpr bool EachRowIsItsLocation() {
  for (int location = 0; location < kLocationCount; ++location) {
    if (LocationRowOf(location).location != location) return false;
  }
  return true;
}
static_assert(EachRowIsItsLocation(), "the rows stand in the locations' order");

std::u16string WithMnemonic(std::u16string_view text, char16_t mnemonic) {
  return std::u16string(text) + u"(&" + mnemonic + u")";
}

}  // namespace

std::u16string LocationMenuLabel(int location) {
  const LocationRow& row = LocationRowOf(location);
  return WithMnemonic(row.name, row.mnemonic);
}

std::u16string LocationGroupMenuLabel(LocationGroup group) {
  const LocationGroupRow& row = kLocationGroups[static_cast<std::size_t>(group)];
  return WithMnemonic(row.caption, row.mnemonic);
}

LocationSpan LocationSpan::Of(const Rect& monitor, std::int32_t cornerLength, std::int32_t middleLength) {
  const auto w = static_cast<std::int32_t>(monitor.Width());
  const auto h = static_cast<std::int32_t>(monitor.Height());
  LocationSpan s;
  s.cornerX = cornerLength * w / 100;
  s.cornerY = cornerLength * h / 100;
  s.sideX = (w - middleLength * w / 100) / 2;
  s.sideY = (h - middleLength * h / 100) / 2;
  return s;
}

int LocationSpans(const Rect& m, const LocationSpan& s, int location, std::array<LocationEdgeSpan, 2>& out) {
  const LocationRow& row = LocationRowOf(location);
  for (int i = 0; i < row.pieceCount; ++i) {
    const EdgePiece& piece = row.pieces[static_cast<std::size_t>(i)];
    const bool across = piece.edge == Edge::Top || piece.edge == Edge::Bottom;
    const std::int32_t low = across ? m.left : m.top;
    const std::int32_t high = across ? m.right : m.bottom;
    const std::int32_t corner = across ? s.cornerX : s.cornerY;
    const std::int32_t side = across ? s.sideX : s.sideY;
    EdgeInterval interval;
    switch (piece.stretch) {
      case Stretch::StartCorner: interval = {low, low + corner}; break;
      case Stretch::Start: interval = {low + corner, low + side}; break;
      case Stretch::Middle: interval = {low + side, high - side}; break;
      case Stretch::End: interval = {high - side, high - corner}; break;
      case Stretch::EndCorner: interval = {high - corner, high}; break;
    }
    out[static_cast<std::size_t>(i)] = {piece.edge, interval};
  }
  return row.pieceCount;
}

}  // namespace peekbar
