#include "core/settings/bound_pages.h"

#include <algorithm>

namespace peekbar {
namespace {

int CheckedButton(const ControlBinding& binding, const PageControls& controls) {
  const auto checked = std::find_if(binding.buttons.begin(), binding.buttons.end(),
                                    [&controls](int button) { return controls.IsChecked(button); });
  return checked == binding.buttons.end() ? -1 : static_cast<int>(checked - binding.buttons.begin());
}

void TakeValue(const ControlBinding& binding, std::int32_t value, Settings& into) {
  into.*binding.field = NormaliseSetting(DefinitionOf(binding.field), value, into);
}

void Choose(const ControlBinding& binding, SettingChoosers& choosers, Settings& edited) {
  if (binding.kind == ControlKind::Colour) {
    if (const std::optional<Color> colour = choosers.ChooseColour(static_cast<Color>(edited.*binding.field))) {
      TakeValue(binding, static_cast<std::int32_t>(*colour), edited);
    }
  } else if (binding.kind == ControlKind::Font) {
    FontRecord font = edited.*binding.font;
    if (choosers.ChooseFont(font)) TakeFont(edited, binding.font, font);
  }
}

}  // namespace

const ControlBinding* FindBinding(const BoundPage& page, int control) {
  const auto found = std::find_if(page.bindings.begin(), page.bindings.end(),
                                  [control](const ControlBinding& binding) { return binding.control == control; });
  return found == page.bindings.end() ? nullptr : &*found;
}

void FillPage(const BoundPage& page, const Settings& from, PageControls& controls) {
  for (const ControlBinding& binding : page.bindings) {
    switch (binding.kind) {
      case ControlKind::CheckBox:
        controls.SetChecked(binding.control, from.*binding.field != 0);
        break;
      case ControlKind::Number:
        controls.SetRange(binding.upDown, binding.low, binding.high);
        controls.SetPosition(binding.upDown, from.*binding.field);
        break;
      case ControlKind::RadioGroup:
        for (std::size_t i = 0; i < binding.buttons.size(); ++i) {
          controls.SetChecked(binding.buttons[i], from.*binding.field == static_cast<std::int32_t>(i));
        }
        break;
      case ControlKind::DropDown:
        controls.AddItems(binding.control, binding.items);
        controls.Select(binding.control, from.*binding.field);
        break;
      case ControlKind::Colour:
      case ControlKind::Font:
        break;  // a button shows no value
    }
  }
  if (page.rule != nullptr) page.rule(controls, 0, ControlEvent::Filled);
}

void TakePage(const BoundPage& page, const PageControls& controls, Settings& into) {
  for (const ControlBinding& binding : page.bindings) {
    switch (binding.kind) {
      case ControlKind::CheckBox:
        TakeValue(binding, controls.IsChecked(binding.control) ? 1 : 0, into);
        break;
      case ControlKind::Number:
        // Brought into the up-down's range first: what the edit holds may be
        // beyond it when it was typed.
        TakeValue(binding, std::clamp(controls.Position(binding.upDown), binding.low, binding.high), into);
        break;
      case ControlKind::RadioGroup:
        TakeValue(binding, CheckedButton(binding, controls), into);
        break;
      case ControlKind::DropDown:
        TakeValue(binding, controls.Selection(binding.control), into);
        break;
      case ControlKind::Colour:
      case ControlKind::Font:
        break;  // taken when chosen
    }
  }
}

void CopyBoundSettings(const BoundPage& page, const Settings& from, Settings& into) {
  for (const ControlBinding& binding : page.bindings) {
    if (binding.kind != ControlKind::Colour && binding.kind != ControlKind::Font) {
      into.*binding.field = from.*binding.field;
    }
  }
}

void OnPageControl(const BoundPage& page, int control, ControlEvent event, PageControls& controls,
                   SettingChoosers* choosers, Settings& edited) {
  const ControlBinding* binding = FindBinding(page, control);
  if (binding != nullptr && choosers != nullptr && event == ControlEvent::Clicked) Choose(*binding, *choosers, edited);
  if (page.rule != nullptr) page.rule(controls, control, event);
}

}  // namespace peekbar
