#pragma once

#include "document/ContentStep.h"
#include "document/DerivedCurve.h"
#include "document/ExtensionBlock.h"
#include "document/GraphFunction.h"
#include "document/GraphObject.h"
#include "document/Scaling.h"

#include <cstddef>
#include <optional>
#include <string>

class CArchiveReader;
class CArchiveWriter;

// The content of one graph: its functions, objects and scaling, each with the copy it had before
// its last change (the one undo step), and the modified flag. Paths, titles and windows belong to
// the window side, which wraps this model.
//
// Lifecycle: a new document holds no functions, no objects and a new scaling; a loaded one holds
// what the file held. In both the saved copies equal the content, nothing can be undone and the
// document is not modified. A change keeps the previous value of that part, enables undo and
// marks the document modified; Undo brings back all three saved copies, disables undo and marks
// it modified. Saving is the caller's: it clears the flag with SetModifiedFlag(false) once the
// file is safely written, and undo stays possible.
class CZelDoc final
{
public:
    CFunctionList GetFunctions() const { return m_functions; }
    // Always a change, even with an equal list: the caller confirmed an edit.
    void SetFunctions(CFunctionList functions);
    std::size_t GetFunctionCount() const { return m_functions.size(); }

    CObjectList GetObjects() const { return m_objects; }
    void SetObjects(CObjectList objects);

    // The curves drawn from functions of the list (f', f'', F). A change is an edit like one of
    // the functions; SetFunctions drops the curves of functions that a shorter list no longer
    // has, but a caller that removes a function before the end fixes the indices itself
    // (EraseDerivedOfFunction) and hands both lists back in one step.
    CDerivedList GetDerived() const { return m_derived; }
    const CDerivedList& Derived() const { return m_derived; }
    void SetDerived(CDerivedList derived);

    CScaling GetScaling() const { return m_scaling; }

    // The areas kept from integrals, drawn behind the curves. Like the lists, a change is an edit.
    CAreaList GetAreas() const { return m_areas; }
    const CAreaList& Areas() const { return m_areas; }
    void SetAreas(CAreaList areas);

    // The lists as they stand, for a drawing: it takes only what its budgets allow, and a copy of
    // a file's million objects on every repaint would cost more than the drawing itself.
    const CFunctionList& Functions() const { return m_functions; }
    const CObjectList& Objects() const { return m_objects; }
    // A change only when the scaling differs: the view hands back the scaling it drew with after
    // every repaint, which must not mark an untouched document.
    void SetScaling(const CScaling& scaling);

    // A y range that automatic scaling derived from the curves (on a resize, say) is no edit: it is
    // kept for the next save that has a reason of its own, with neither an undo step nor the
    // modified flag. The saved copy is brought along so that undoing another change keeps it.
    void RecordDerivedScaling(const CScaling& scaling);

    bool CanUndo() const { return m_undoAvailable; }
    // Does nothing while nothing can be undone, so a stray call cannot mark the document.
    void Undo();

    // The history of the window side is built from steps: every setter call that changes a part
    // records that part's previous value in a pending step (the first value wins when a part changes
    // twice), and TakeStep hands the pending step over, without the parts that ended up as they were,
    // and starts an empty one. ExchangeStep swaps
    // the step's parts with the document's and marks it modified; the one-step undo above is not
    // touched by it.
    SContentStep TakeStep();
    void ExchangeStep(SContentStep& step);

    // The slider over a family's k (SliderState.h). It travels with the file but is no edit of the
    // graph: a change marks the document modified and makes no undo step.
    std::optional<SSliderState> GetSlider() const { return m_slider; }
    void SetSlider(const std::optional<SSliderState>& slider);
    // The slider while it names a family of the list, with k inside that family's range; nothing
    // while it is off or after an edit took its family away.
    std::optional<SSliderState> ActiveSlider() const;

    // Records of the file's extension block that this program does not know: written back as they
    // came, so that a newer program's additions survive a save here.
    const CExtensionRecords& UnknownExtensionRecords() const { return m_unknownExtensions; }
    // Set by loading: a German sentence when the file's extension block was damaged and left out,
    // else empty. The graph itself was read.
    const std::string& GetReadWarning() const { return m_readWarning; }

    bool IsModified() const { return m_modified; }
    void SetModifiedFlag(bool modified = true) { m_modified = modified; }

    // The graph file format (GraphFile.cpp). Loading replaces the whole document with the file's
    // content, in the loaded state; when the archive fails part-way the document is left exactly
    // as it was and false is returned (the archive holds the reason).
    void Serialize(CArchiveWriter& archive) const;
    bool Serialize(CArchiveReader& archive);

private:
    CFunctionList m_functions;
    CFunctionList m_savedFunctions;
    CObjectList m_objects;
    CObjectList m_savedObjects;
    CDerivedList m_derived;
    CDerivedList m_savedDerived;
    CScaling m_scaling;
    CScaling m_savedScaling;
    CAreaList m_areas;
    CAreaList m_savedAreas;
    SContentStep m_pending;
    std::optional<SSliderState> m_slider;
    CExtensionRecords m_unknownExtensions;
    std::string m_readWarning;
    bool m_undoAvailable{false};
    bool m_modified{false};
};
