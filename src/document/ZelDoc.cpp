#include "document/ZelDoc.h"

#include <algorithm>
#include <utility>

void CZelDoc::SetFunctions(CFunctionList functions)
{
    if (!m_pending.functions) {
        m_pending.functions = m_functions;
    }
    m_savedFunctions = std::exchange(m_functions, std::move(functions));
    m_undoAvailable = true;
    m_modified = true;
    // An area needs its functions; a caller that knows where they went remaps the areas itself
    // (RemapKeptAreas), and those that would point past the shorter list go here.
    const auto beyond = [count = m_functions.size()](const CKeptArea& area) {
        return area.function >= count || (area.with && *area.with >= count);
    };
    if (std::any_of(m_areas.begin(), m_areas.end(), beyond)) {
        CAreaList areas = m_areas;
        std::erase_if(areas, beyond);
        SetAreas(std::move(areas));
    }
    // A curve whose source is gone would be drawn from whatever function takes its place later.
    const auto orphan = [this](const CDerivedCurve& curve) {
        return curve.GetSource() >= m_functions.size();
    };
    if (std::any_of(m_derived.begin(), m_derived.end(), orphan)) {
        CDerivedList kept = m_derived;
        std::erase_if(kept, orphan);
        SetDerived(std::move(kept));
    }
}

void CZelDoc::SetDerived(CDerivedList derived)
{
    if (!m_pending.derived) {
        m_pending.derived = m_derived;
    }
    m_savedDerived = std::exchange(m_derived, std::move(derived));
    m_undoAvailable = true;
    m_modified = true;
}

void CZelDoc::SetObjects(CObjectList objects)
{
    if (!m_pending.objects) {
        m_pending.objects = m_objects;
    }
    m_savedObjects = std::exchange(m_objects, std::move(objects));
    m_undoAvailable = true;
    m_modified = true;
}

void CZelDoc::SetAreas(CAreaList areas)
{
    if (!m_pending.areas) {
        m_pending.areas = m_areas;
    }
    m_savedAreas = std::exchange(m_areas, std::move(areas));
    m_undoAvailable = true;
    m_modified = true;
}

void CZelDoc::SetScaling(const CScaling& scaling)
{
    if (scaling != m_scaling) {
        if (!m_pending.scaling) {
            m_pending.scaling = m_scaling;
        }
        m_savedScaling = std::exchange(m_scaling, scaling);
        m_undoAvailable = true;
        m_modified = true;
    }
}

void CZelDoc::SetSlider(const std::optional<SSliderState>& slider)
{
    if (slider != m_slider) {
        m_slider = slider;
        m_modified = true;
    }
}

std::optional<SSliderState> CZelDoc::ActiveSlider() const
{
    return ActiveSliderOf(m_functions, m_slider);
}

void CZelDoc::RecordDerivedScaling(const CScaling& scaling)
{
    if (m_savedScaling == m_scaling) {
        m_savedScaling = scaling;
    }
    m_scaling = scaling;
}

void CZelDoc::Undo()
{
    if (!m_undoAvailable) {
        return;
    }
    // The saved copies stay as they are: the parts that were not changed since the last undo step
    // equal them already, so only the changed parts move back.
    m_functions = m_savedFunctions;
    m_objects = m_savedObjects;
    m_scaling = m_savedScaling;
    m_derived = m_savedDerived;
    m_areas = m_savedAreas;
    m_undoAvailable = false;
    m_modified = true;
}

SContentStep CZelDoc::TakeStep()
{
    SContentStep step = std::exchange(m_pending, SContentStep{});
    // A sheet sets every part on OK; only the parts that differ afterwards make the step.
    if (step.functions && *step.functions == m_functions) {
        step.functions.reset();
    }
    if (step.objects && *step.objects == m_objects) {
        step.objects.reset();
    }
    if (step.scaling && *step.scaling == m_scaling) {
        step.scaling.reset();
    }
    if (step.derived && *step.derived == m_derived) {
        step.derived.reset();
    }
    if (step.areas && *step.areas == m_areas) {
        step.areas.reset();
    }
    return step;
}

void CZelDoc::ExchangeStep(SContentStep& step)
{
    if (step.functions) {
        std::swap(*step.functions, m_functions);
    }
    if (step.objects) {
        std::swap(*step.objects, m_objects);
    }
    if (step.scaling) {
        std::swap(*step.scaling, m_scaling);
    }
    if (step.derived) {
        std::swap(*step.derived, m_derived);
    }
    if (step.areas) {
        std::swap(*step.areas, m_areas);
    }
    if (!step.IsEmpty()) {
        m_modified = true;
    }
}
