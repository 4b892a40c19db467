#include "app/ContentStepCommand.h"

#include "document/ZelDoc.h"

CContentStepCommand::CContentStepCommand(CZelDoc& model, SContentStep step, const QString& name)
    : QUndoCommand{name}, m_model{model}, m_step{std::move(step)}
{
}

void CContentStepCommand::undo()
{
    m_model.ExchangeStep(m_step);
    m_done = false;
}

void CContentStepCommand::redo()
{
    if (m_done) {
        return;
    }
    m_model.ExchangeStep(m_step);
    m_done = true;
}

QString ContentStepName(const SContentStep& step)
{
    // The derived curves are edited on the functions' page and go with them.
    const bool functions = step.functions.has_value() || step.derived.has_value();
    const int parts = int{functions} + int{step.objects.has_value()} + int{step.scaling.has_value()} +
                      int{step.areas.has_value()};
    if (parts != 1) {
        return QStringLiteral("Eigenschaften");
    }
    if (functions) {
        return QStringLiteral("Funktionen");
    }
    if (step.areas) {
        return QStringLiteral("Flächen");
    }
    return step.objects ? QStringLiteral("Objekte") : QStringLiteral("Skalierung");
}
