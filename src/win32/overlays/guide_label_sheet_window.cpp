#include "core/overlays/guide_label_sheet.h"

#include "resource.h"
#include "win32/app/win32_dialogs.h"
#include "win32/app/property_sheet.h"
#include "win32/settings/bound_page.h"

namespace peekbar::win32 {
namespace {

// The label page's choosers, owned by the sheet: what the user confirms is
// told to the program at once, and the custom colours are the label
// page's own.
class LabelChoosers final : public SettingChoosers {
 public:
  LabelChoosers(CustomColours& colours, LabelChoices& live) : colours_(colours), live_(live) {}

  std::optional<Color> ChooseColour(Color initial) override {
    const std::optional<Color> chosen = win32::ChooseColour(GetActiveWindow(), initial, colours_);
    if (chosen) live_.LabelColorChosen(*chosen);
    return chosen;
  }
  bool ChooseFont(FontRecord& font) override {
    const std::optional<FontRecord> chosen = ChooseScreenFont(GetActiveWindow(), font);
    if (!chosen) return false;
    font = *chosen;
    live_.LabelFontChosen(font);
    return true;
  }

 private:
  CustomColours& colours_;
  LabelChoices& live_;
};

}  // namespace

// The guide and label sheet: when and how the guides show on its first
// page, their labels on its second.
std::optional<Settings> Win32Dialogs::EditGuidesAndLabels(const Settings& current, LabelChoices& live) {
  Settings edited = current;
  LabelChoosers choosers(labelColours_, live);
  BoundSheetPage guides(GuidePage(), edited);
  BoundSheetPage labels(LabelPage(), edited, &choosers);
  const SheetPageDef pages[] = {guides.Def(), labels.Def()};
  const SheetDef sheet{.caption = u"ガイド・ラベル設定", .pages = pages, .iconId = IDI_APP, .okOnly = true};
  if (!RunPropertySheet(Instance(), Owner(), sheet)) return std::nullopt;
  return edited;
}

}  // namespace peekbar::win32
