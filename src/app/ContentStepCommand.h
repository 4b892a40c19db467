#pragma once

#include "document/ContentStep.h"

#include <QUndoCommand>

class CZelDoc;

// One step of a document's history on Qt's undo stack. The edit has already been made when the
// step is pushed, so its first redo does nothing; after that, undo and redo both exchange the
// step's parts with the document's.
class CContentStepCommand final : public QUndoCommand
{
public:
    CContentStepCommand(CZelDoc& model, SContentStep step, const QString& name);

    void undo() override;
    void redo() override;

private:
    CZelDoc& m_model;
    SContentStep m_step;
    bool m_done{true};
};

// The name a step gets in "Rückgängig: ..." when its edit gave none: after the one part it
// changed, or "Eigenschaften" for several.
QString ContentStepName(const SContentStep& step);
