// The controls of an open dialog page, kept in maps by control identifier.
// Up-down controls keep their position within their range, as the real ones
// do; a test plays what the user typed by writing `positions` directly. The
// choosers answer what the test put into them, or cancel.
#pragma once

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/settings/bound_pages.h"

namespace peekbar {

class FakePageControls final : public PageControls {
 public:
  bool IsChecked(int button) const override { return checked.count(button) != 0 && checked.at(button); }
  void SetChecked(int button, bool value) override { checked[button] = value; }
  void SetRange(int upDown, std::int32_t low, std::int32_t high) override { ranges[upDown] = {low, high}; }
  std::int32_t Position(int upDown) const override { return positions.count(upDown) != 0 ? positions.at(upDown) : 0; }
  void SetPosition(int upDown, std::int32_t position) override {
    const auto range = ranges.find(upDown);
    if (range != ranges.end()) position = std::clamp(position, range->second.first, range->second.second);
    positions[upDown] = position;
    ++positionWrites;
  }
  void AddItems(int list, std::span<const std::u16string_view> added) override {
    for (const std::u16string_view item : added) items[list].emplace_back(item);
  }
  int Selection(int list) const override { return selections.count(list) != 0 ? selections.at(list) : -1; }
  void Select(int list, int item) override {
    selections[list] = item >= 0 && static_cast<std::size_t>(item) < items[list].size() ? item : -1;
  }

  std::map<int, bool> checked;
  std::map<int, std::pair<std::int32_t, std::int32_t>> ranges;
  std::map<int, std::int32_t> positions;
  std::map<int, std::vector<std::u16string>> items;
  std::map<int, int> selections;
  int positionWrites = 0;
};

class FakeChoosers final : public SettingChoosers {
 public:
  std::optional<Color> ChooseColour(Color initial) override {
    offeredColour = initial;
    return colour;
  }
  bool ChooseFont(FontRecord& chosen) override {
    if (!font) return false;
    chosen = *font;
    return true;
  }

  std::optional<Color> colour;    // confirmed in the colour chooser
  std::optional<FontRecord> font;  // confirmed in the font chooser
  std::optional<Color> offeredColour;  // what the colour chooser opened with
};

}  // namespace peekbar
