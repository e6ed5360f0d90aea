// The text colour of each location's guide label, derived from its guide
// colour by the rule FONT_COLOR_IDX chooses.
#pragma once

#include "core/base/state.h"

namespace peekbar {

Color LabelColorFor(Color guideColor, const Settings& settings);
void ComputeLabelColors(AppState& state);

}  // namespace peekbar
