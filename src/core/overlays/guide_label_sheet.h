// The guide and label settings sheet: one page for when and how the guide
// bars show, one for their labels. OK takes both pages over, writes the
// GUIDE and LABEL sections and brings the guides in step; the label page's
// font and custom colour choosers act at once, before and whether or not
// the sheet is confirmed.
#pragma once

#include "core/base/dialogs.h"
#include "core/base/state.h"
#include "core/overlays/overlays.h"
#include "core/settings/bound_pages.h"
#include "core/settings/settings_file.h"

namespace peekbar {

// The guide page: the judgement and bar widths, the opacity, when the
// guides show and the keys that show them. "Always" excludes the other two
// conditions, and either of them excludes "always".
const BoundPage& GuidePage();
// The label page: when labels show, their keys, the text colour rule with
// the custom colour's chooser, and the font's chooser.
const BoundPage& LabelPage();

class GuideLabelSheet final : private LabelChoices {
 public:
  GuideLabelSheet(AppState& state, SettingsFile& file, Dialogs& dialogs, Overlays& overlays)
      : state_(state), file_(file), dialogs_(dialogs), overlays_(overlays) {}

  // Runs the sheet; on OK the guide page is applied, then the label page.
  void Run();

 private:
  void ApplyGuidePage(const Settings& edited);
  void ApplyLabelPage(const Settings& edited);
  // The chosen font is written and the label fonts made anew at once; a
  // custom colour is kept in memory and shown once the sheet is applied
  // with that rule.
  void LabelFontChosen(const FontRecord& font) override;
  void LabelColorChosen(Color color) override;

  AppState& state_;
  SettingsFile& file_;
  Dialogs& dialogs_;
  Overlays& overlays_;
};

}  // namespace peekbar
