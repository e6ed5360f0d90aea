// Asking the user: the program's small modal dialogs and the system's
// choosers. Each returns what was confirmed, and nothing when cancelled; all
// are owned by the main window unless an owner is given.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/base/desktop.h"
#include "core/base/hotkeys.h"
#include "core/base/settings.h"
#include "core/base/state.h"

namespace peekbar {

// A location's keyword and whether it is a regular expression.
struct KeywordChoice {
  FixedText<kKeywordUnits> keyword;
  bool regex = false;
};

// The two hotkeys of the whole program.
struct GlobalHotkeys {
  Hotkey pause = kNoHotkey;
  Hotkey menu = kNoHotkey;
};

// Why a key typed into a hotkey dialog cannot be taken: the text shown over
// the dialog at OK, which then stays open, and the key to fix.
struct HotkeyObjection {
  enum class Field : std::uint8_t { Location, Pause, Menu };
  std::u16string text;
  Field field = Field::Location;
};
// The program's judgement of the keys at OK: nothing when they can be taken.
using LocationHotkeyCheck = std::function<std::optional<HotkeyObjection>(Hotkey key)>;
using GlobalHotkeysCheck = std::function<std::optional<HotkeyObjection>(const GlobalHotkeys& keys)>;

// What the label page's choosers change at once, whether or not the sheet
// is confirmed afterwards.
class LabelChoices {
 public:
  virtual ~LabelChoices() = default;
  virtual void LabelFontChosen(const FontRecord& font) = 0;
  virtual void LabelColorChosen(Color color) = 0;
};

class Dialogs {
 public:
  Dialogs() = default;
  Dialogs(const Dialogs&) = delete;
  Dialogs& operator=(const Dialogs&) = delete;
  virtual ~Dialogs() = default;

  // The keyword dialog, titled `title`.
  virtual std::optional<KeywordChoice> AskKeyword(std::u16string_view title, const KeywordChoice& current) = 0;
  virtual std::optional<FixedText<kTitleUnits>> AskProfileName(const FixedText<kTitleUnits>& current) = 0;
  // The start-up delay of the Startup shortcut, in seconds.
  virtual std::optional<int> AskStartupDelay() = 0;
  // The monitor-number captions' opacity as entered (clamping is the caller's).
  virtual std::optional<std::int32_t> AskMonitorPopAlpha(std::int32_t current) = 0;
  // The system's font chooser, screen fonts.
  virtual std::optional<FontRecord> PickFont(const FontRecord& current) = 0;
  // The system's colour chooser, owned by `owner`.
  virtual std::optional<Color> PickColor(WindowHandle owner, Color initial) = 0;
  // The options sheet; what it returns holds the OPTION settings as confirmed.
  virtual std::optional<Settings> EditOptions(const Settings& current) = 0;
  // The guide and label sheet; what it returns holds the GUIDE and LABEL
  // settings as confirmed. Its choosers tell `live` at once.
  virtual std::optional<Settings> EditGuidesAndLabels(const Settings& current, LabelChoices& live) = 0;
  // The trigger window's settings dialog.
  virtual std::optional<Settings> EditTriggerSettings(const Settings& current) = 0;
  // A location's hotkey; kNoHotkey when the control was emptied. OK closes
  // the dialog only once `check` has no objection.
  virtual std::optional<Hotkey> AskHotkey(Hotkey current, const LocationHotkeyCheck& check) = 0;
  // The pause and menu hotkeys, judged the same way.
  virtual std::optional<GlobalHotkeys> AskGlobalHotkeys(const GlobalHotkeys& current, const GlobalHotkeysCheck& check) = 0;
  // The version and the project's address, with a link that opens it.
  virtual void ShowAbout() = 0;
};

}  // namespace peekbar
