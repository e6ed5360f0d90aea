#include "core/registration/candidates.h"

namespace peekbar {
namespace {

// Makes room for one more entry at index `count`.
WindowEntry& EntryAt(std::vector<WindowEntry>& list, std::size_t count) {
  if (count >= list.size()) list.resize(list.size() + kWindowListGrowth);
  return list[count];
}

bool Listed(const std::vector<WindowEntry>& list, std::size_t count, WindowHandle window) {
  for (std::size_t i = 0; i < count; ++i) {
    if (list[i].window == window) return true;
  }
  return false;
}

}  // namespace

std::size_t CollectWindows(AppState& state, Desktop& desktop) {
  auto& list = state.windowList;
  std::size_t count = 0;
  for (const MonitorSlot& slot : state.monitorSlots) {
    for (const LocationSlot& at : slot.locations) {
      const WindowHandle window = at.cycle.Window();
      if (window == kNoWindow || Listed(list, count, window)) continue;
      WindowEntry& entry = EntryAt(list, count);
      entry.window = window;
      entry.title = desktop.WindowTitle(window, kMatchedTitleUnits);
      entry.className = desktop.WindowClassName(window, kClassNameUnits);
      entry.processId = desktop.WindowProcessId(window);
      ++count;
    }
  }
  const bool skipUntitled = state.settings.noTitle != 0;
  // Peekbar's own windows (guides, captions, its dialogs) are never
  // candidates: hidden, they could not be given back.
  const std::uint32_t own = desktop.OwnProcessId();
  desktop.EnumerateTopLevelWindows([&](WindowHandle window) {
    if (!desktop.IsWindowVisible(window)) return true;
    const std::uint32_t process = desktop.WindowProcessId(window);
    if (process == own) return true;
    WindowEntry& entry = EntryAt(list, count);
    entry.title = desktop.WindowTitle(window, kMatchedTitleUnits);
    if (skipUntitled && entry.title.empty()) return true;
    entry.window = window;
    entry.className = desktop.WindowClassName(window, kClassNameUnits);
    entry.processId = process;
    ++count;
    return true;
  });
  return count;
}

void KeywordLabel(std::u16string_view title, std::u16string_view className, std::u16string& out) {
  out.assign(title);
  out += u'（';
  out += className;
  out += u'）';
}

void KeywordLabel(const WindowEntry& entry, std::u16string& out) { KeywordLabel(entry.title, entry.className, out); }

void EntryLabel(const WindowEntry& entry, std::u16string& out) {
  // Cut where the system's 128-unit buffers cut a title and a class name.
  KeywordLabel(std::u16string_view(entry.title).substr(0, kTitleUnits - 1),
               std::u16string_view(entry.className).substr(0, kTitleUnits - 1), out);
}

void OfferedLabels(Desktop& desktop, const std::vector<WindowEntry>& candidates, std::size_t count,
                   std::vector<std::u16string>& labels, std::vector<bool>& elevated) {
  labels.resize(count);
  elevated.assign(count, false);
  for (std::size_t i = 0; i < count; ++i) {
    EntryLabel(candidates[i], labels[i]);
    elevated[i] = desktop.RunsElevated(candidates[i].window);
    if (elevated[i]) labels[i] += kElevatedCandidateNote;
  }
}

std::u16string EntryLabel(const WindowEntry& entry) {
  std::u16string label;
  EntryLabel(entry, label);
  return label;
}

}  // namespace peekbar
