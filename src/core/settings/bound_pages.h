// Dialog pages bound to settings by tables. A row of a page's table names a
// control of the page's dialog template (its key), how the control shows a
// value, and the setting it shows. Filling the page and taking it over on
// OK both read the table, and what is taken is normalised by the setting's
// read rule, as when the file is read. What a page does beyond that (one
// control keeping another consistent) is a small rule of its own.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "core/base/settings.h"
#include "core/base/state.h"

namespace peekbar {

using SettingField = std::int32_t Settings::*;

enum class ControlKind : std::uint8_t {
  CheckBox,    // ticked for a non-zero value
  Number,      // an edit whose up-down control holds the number within its range
  RadioGroup,  // buttons in value order: the first for 0, the next for 1...
  DropDown,    // a drop-down list whose selected item's index is the value
  Colour,      // a button that opens the colour chooser
  Font,        // a button that opens the font chooser
};

struct ControlBinding {
  int control;  // the edit of a number, the first button of a radio group
  ControlKind kind;
  SettingField field = nullptr;          // every kind but Font
  FontRecord Settings::*font = nullptr;  // Font
  int upDown = 0;                        // Number: the up-down control beside the edit
  std::int32_t low = 0;                  // Number: the up-down control's range
  std::int32_t high = 0;
  std::span<const int> buttons = {};                 // RadioGroup, `control` first
  std::span<const std::u16string_view> items = {};  // DropDown

  static constexpr ControlBinding CheckBox(int box, SettingField field) {
    return {box, ControlKind::CheckBox, field};
  }
  static constexpr ControlBinding Number(int edit, int upDown, SettingField field, std::int32_t low,
                                         std::int32_t high) {
    return {edit, ControlKind::Number, field, nullptr, upDown, low, high};
  }
  static constexpr ControlBinding RadioGroup(std::span<const int> buttons, SettingField field) {
    return {buttons.front(), ControlKind::RadioGroup, field, nullptr, 0, 0, 0, buttons};
  }
  static constexpr ControlBinding DropDown(int list, SettingField field, std::span<const std::u16string_view> items) {
    return {list, ControlKind::DropDown, field, nullptr, 0, 0, 0, {}, items};
  }
  // The chosen colour (0x00BBGGRR) becomes the setting at once.
  static constexpr ControlBinding ColourButton(int button, SettingField field) {
    return {button, ControlKind::Colour, field};
  }
  // The chosen font becomes the record at once.
  static constexpr ControlBinding FontButton(int button, FontRecord Settings::*font) {
    return {button, ControlKind::Font, nullptr, font};
  }
};

// What the user did to a control, as a page's rule hears of it.
enum class ControlEvent : std::uint8_t {
  Clicked,  // a button or check box
  Edited,   // an edit's text, about to be shown
  Filled,   // the whole page, once it shows its settings (no one control)
};

// The controls of an open page, as the bindings and the rules reach them.
class PageControls {
 public:
  virtual ~PageControls() = default;
  virtual bool IsChecked(int button) const = 0;
  virtual void SetChecked(int button, bool checked) = 0;
  virtual void SetRange(int upDown, std::int32_t low, std::int32_t high) = 0;
  // The number the up-down control's edit holds, read as a signed 16-bit
  // number (its low 16 bits), whether or not it lies within the control's
  // range: bringing it into the range is the reader's.
  virtual std::int32_t Position(int upDown) const = 0;
  virtual void SetPosition(int upDown, std::int32_t position) = 0;
  virtual void AddItems(int list, std::span<const std::u16string_view> items) = 0;
  virtual int Selection(int list) const = 0;  // −1 for none
  virtual void Select(int list, int item) = 0;
};

// The system's choosers, as a page's colour and font buttons open them; both
// answer whether the user confirmed.
class SettingChoosers {
 public:
  virtual ~SettingChoosers() = default;
  virtual std::optional<Color> ChooseColour(Color initial) = 0;
  virtual bool ChooseFont(FontRecord& font) = 0;
};

struct BoundPage {
  int templateId;
  std::span<const ControlBinding> bindings;
  // After the user acted on `control`: keeps the page's other controls
  // consistent with it. Null for a page without one.
  void (*rule)(PageControls& controls, int control, ControlEvent event) = nullptr;
};

// The row of `control` on the page; null when it is bound to nothing.
const ControlBinding* FindBinding(const BoundPage& page, int control);

// Every bound control shows its setting of `from`; then the page's rule
// makes the controls consistent.
void FillPage(const BoundPage& page, const Settings& from, PageControls& controls);

// OK: every control's value becomes its setting in `into`, in table order
// (a read rule may depend on a setting taken before it); a number is first
// brought into its up-down control's range. Colours and fonts were taken
// when chosen.
void TakePage(const BoundPage& page, const PageControls& controls, Settings& into);

// Copies the settings the page takes over on OK from `from`; the others
// stay: one changed from the menu while the page was open, and a colour or
// font, which its chooser gave to the program when it was confirmed (after
// a profile switch the page's copy of it is the old profile's).
void CopyBoundSettings(const BoundPage& page, const Settings& from, Settings& into);

// The user acted on `control`: a colour or font button opens its chooser
// (when the page has choosers) and a confirmed choice goes into `edited` at
// once; then the page's rule runs.
void OnPageControl(const BoundPage& page, int control, ControlEvent event, PageControls& controls,
                   SettingChoosers* choosers, Settings& edited);

}  // namespace peekbar
