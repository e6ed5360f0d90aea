// The dialogs as the program's parts open them: each runs with the program
// at rest, so that the timer keeps ticking and commands keep running while
// the user works in it.
#pragma once

#include "core/base/dialogs.h"
#include "core/base/operations.h"

namespace peekbar {

class AtRestDialogs final : public Dialogs {
 public:
  AtRestDialogs(Dialogs& dialogs, Operations& operations) : dialogs_(dialogs), operations_(operations) {}

  std::optional<KeywordChoice> AskKeyword(std::u16string_view title, const KeywordChoice& current) override {
    return operations_.AtRest([&] { return dialogs_.AskKeyword(title, current); });
  }
  std::optional<FixedText<kTitleUnits>> AskProfileName(const FixedText<kTitleUnits>& current) override {
    return operations_.AtRest([&] { return dialogs_.AskProfileName(current); });
  }
  std::optional<int> AskStartupDelay() override {
    return operations_.AtRest([&] { return dialogs_.AskStartupDelay(); });
  }
  std::optional<std::int32_t> AskMonitorPopAlpha(std::int32_t current) override {
    return operations_.AtRest([&] { return dialogs_.AskMonitorPopAlpha(current); });
  }
  std::optional<FontRecord> PickFont(const FontRecord& current) override {
    return operations_.AtRest([&] { return dialogs_.PickFont(current); });
  }
  std::optional<Color> PickColor(WindowHandle owner, Color initial) override {
    return operations_.AtRest([&] { return dialogs_.PickColor(owner, initial); });
  }
  std::optional<Settings> EditOptions(const Settings& current) override {
    return operations_.AtRest([&] { return dialogs_.EditOptions(current); });
  }
  std::optional<Settings> EditGuidesAndLabels(const Settings& current, LabelChoices& live) override {
    return operations_.AtRest([&] { return dialogs_.EditGuidesAndLabels(current, live); });
  }
  std::optional<Settings> EditTriggerSettings(const Settings& current) override {
    return operations_.AtRest([&] { return dialogs_.EditTriggerSettings(current); });
  }
  std::optional<Hotkey> AskHotkey(Hotkey current, const LocationHotkeyCheck& check) override {
    return operations_.AtRest([&] { return dialogs_.AskHotkey(current, check); });
  }
  std::optional<GlobalHotkeys> AskGlobalHotkeys(const GlobalHotkeys& current, const GlobalHotkeysCheck& check) override {
    return operations_.AtRest([&] { return dialogs_.AskGlobalHotkeys(current, check); });
  }
  void ShowAbout() override {
    operations_.AtRest([&] { dialogs_.ShowAbout(); });
  }

 private:
  Dialogs& dialogs_;
  Operations& operations_;
};

}  // namespace peekbar
