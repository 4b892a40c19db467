#pragma once

#include "document/ZelDoc.h"
#include "view/FamilyFocus.h"

#include <optional>

// What the window, the printer and an export single out while the document's slider is on: the
// member at the slider's k, with the family's other members faint or, as the user chose in the
// slider's bar ("Settings"/"SliderHideOthers"), not drawn at all.
std::optional<SFamilyFocus> SliderFocus(const CZelDoc& model);

bool SliderHidesOthers();
void SetSliderHidesOthers(bool hide);
