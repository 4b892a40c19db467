#include "app/SliderFocus.h"

#include "framework/SettingsStore.h"

namespace {

const QString kSection = QStringLiteral("Settings");
const QString kHideOthers = QStringLiteral("SliderHideOthers");

} // namespace

std::optional<SFamilyFocus> SliderFocus(const CZelDoc& model)
{
    const std::optional<SSliderState> slider = model.ActiveSlider();
    if (!slider) {
        return std::nullopt;
    }
    return SFamilyFocus{slider->function, slider->k, SliderHidesOthers()};
}

bool SliderHidesOthers()
{
    return CSettingsStore::Instance().GetProfileInt(kSection, kHideOthers, 0) != 0;
}

void SetSliderHidesOthers(bool hide)
{
    CSettingsStore::Instance().WriteProfileInt(kSection, kHideOthers, hide ? 1 : 0);
}
