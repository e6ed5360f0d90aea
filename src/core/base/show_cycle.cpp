#include "core/base/show_cycle.h"

namespace peekbar {

void ShowCycle::Register(WindowHandle window, std::uint32_t now) {
  if (window == kNoWindow) {
    Release();
    return;
  }
  window_ = window;
  hiddenWith_.clear();
  hideAwaited_ = false;
  Wait(now);
}

void ShowCycle::Release() { *this = ShowCycle(); }

void ShowCycle::StartDwell() {
  if (phase_ == CyclePhase::Hidden) phase_ = CyclePhase::Dwelling;
}

void ShowCycle::DropDwell(std::uint32_t now) {
  if (phase_ == CyclePhase::Hidden || phase_ == CyclePhase::Dwelling) Wait(now);
}

void ShowCycle::Show(std::uint32_t now) {
  if (phase_ == CyclePhase::Empty) return;
  phase_ = CyclePhase::Shown;
  since_ = now;
  seenOnScreen_ = false;
  hideAwaited_ = false;
}

void ShowCycle::SeeOnScreen() {
  if (IsShown()) seenOnScreen_ = true;
}

void ShowCycle::SeeOffScreen() { hideAwaited_ = false; }

void ShowCycle::Visit(std::uint32_t now) {
  if (!IsShown()) return;
  phase_ = CyclePhase::Visited;
  since_ = now;
}

void ShowCycle::Leave() {
  if (phase_ == CyclePhase::Visited) phase_ = CyclePhase::Left;
}

void ShowCycle::PutAway(std::uint32_t now, std::span<const JournalWindow> hiddenWith, bool hideAwaited) {
  if (phase_ == CyclePhase::Empty) return;
  Wait(now);
  hiddenWith_.assign(hiddenWith.begin(), hiddenWith.end());
  hideAwaited_ = hideAwaited;
}

void ShowCycle::OwnedBack() { hiddenWith_.clear(); }

void ShowCycle::DropHiddenWith(WindowHandle owned) {
  std::erase_if(hiddenWith_, [owned](const JournalWindow& w) { return w.window == owned; });
}

void ShowCycle::Wait(std::uint32_t now) {
  phase_ = CyclePhase::Hidden;
  since_ = now;
  seenOnScreen_ = false;
}

}  // namespace peekbar
