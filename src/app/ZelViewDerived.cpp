// The derived curves (f', f'', F) as the graph's context menu offers them.
#include "app/ZelView.h"

#include "dialogs/function/AntiderivativeDialog.h"
#include "dialogs/function/FunctionTexts.h"

#include <algorithm>

void CZelView::AddDerivedCurveMenus(QMenu& menu)
{
    if (!m_document) {
        return;
    }
    const CFunctionList& functions = m_document->Model().Functions();
    const CDerivedList& derived = m_document->Model().Derived();
    menu.addSeparator();
    QMenu* derive = menu.addMenu(QStringLiteral("&Ableitung zeichnen"));
    derive->setObjectName(QStringLiteral("DeriveMenu"));
    QMenu* integrate = menu.addMenu(QStringLiteral("Stamm&funktion zeichnen"));
    integrate->setObjectName(QStringLiteral("AntiderivativeMenu"));
    derive->menuAction()->setStatusTip(kDerivePrompt);
    integrate->menuAction()->setStatusTip(kAntiderivativePrompt);
    // Each entry names the curve it draws and the function it comes from.
    const auto entry = [&functions](const CDerivedCurve& curve) {
        const std::size_t source = curve.GetSource();
        return FromRecordText(DerivedCurveHead(functions, curve) + "(x)   aus " +
                              FunctionHead(functions, source) + "(x)=" + functions[source].GetTerm());
    };
    // A derivative that is drawn already is shown, but not offered twice; antiderivatives differ
    // by their point.
    const auto drawn = [&derived](std::size_t source, EDerivedKind kind) {
        return std::any_of(derived.begin(), derived.end(), [&](const CDerivedCurve& curve) {
            return curve.GetSource() == source && curve.GetKind() == kind;
        });
    };
    for (std::size_t i = 0; i < functions.size(); ++i) {
        const CDerivedCurve first = NewDerivedCurve(functions, i, EDerivedKind::FirstDerivative);
        QAction* firstAction = derive->addAction(entry(first));
        firstAction->setEnabled(!drawn(i, EDerivedKind::FirstDerivative));
        connect(firstAction, &QAction::triggered, this, [this, first] { AddDerivedCurve(first); });
        const CDerivedCurve F = NewDerivedCurve(functions, i, EDerivedKind::Antiderivative);
        connect(integrate->addAction(entry(F)), &QAction::triggered, this, [this, F] {
            CAntiderivativeDialog dialog{FromRecordText(DerivedCurveName(m_document->Model().Functions(), F)),
                                         this};
            if (dialog.exec() == QDialog::Accepted && m_document) {
                CDerivedCurve curve = F;
                curve.SetStart(dialog.X0(), dialog.Y0());
                AddDerivedCurve(curve);
            }
        });
    }
    // f'' is offered for an f' that is drawn, as the sheet offers it for a selected f'.
    for (const CDerivedCurve& curve : derived) {
        if (curve.GetKind() == EDerivedKind::FirstDerivative && curve.GetSource() < functions.size()) {
            const CDerivedCurve second =
                NewDerivedCurve(functions, curve.GetSource(), EDerivedKind::SecondDerivative);
            QAction* secondAction = derive->addAction(entry(second));
            secondAction->setEnabled(!drawn(curve.GetSource(), EDerivedKind::SecondDerivative));
            connect(secondAction, &QAction::triggered, this, [this, second] { AddDerivedCurve(second); });
        }
    }
    derive->setEnabled(!functions.empty());
    integrate->setEnabled(!functions.empty());
}

void CZelView::AddDerivedCurve(const CDerivedCurve& curve)
{
    if (!m_document || curve.GetSource() >= m_document->Model().GetFunctionCount()) {
        return;
    }
    const QString name = curve.GetKind() == EDerivedKind::Antiderivative ? QStringLiteral("Stammfunktion")
                         : IsLocusKind(curve.GetKind())                   ? QStringLiteral("Ortskurve")
                                                                          : QStringLiteral("Ableitung");
    // An Ortskurve asked for again (a second run of the dialog) is the one already drawn, whatever
    // colour the user has given it since.
    const auto same = [&curve](const CDerivedCurve& other) {
        return IsLocusKind(curve.GetKind())
                   ? other.GetSource() == curve.GetSource() && other.GetKind() == curve.GetKind()
                   : other == curve;
    };
    const bool added = m_document->Edit(name, [&curve, &same](CZelDoc& model) {
        CDerivedList derived = model.GetDerived();
        if (std::none_of(derived.begin(), derived.end(), same)) {
            derived.push_back(curve);
            model.SetDerived(std::move(derived));
        }
    });
    if (added) {
        RedrawNow();
        m_document->NotifyChanged(this);
    }
}
