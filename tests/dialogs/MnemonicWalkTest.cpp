// Walks every dialog, page by page, and compares the mnemonics a user can press at the same time.
#include "dialogs/addfunction/AddFunctionWizard.h"
#include "dialogs/addfunction/FAFunctionPage.h"
#include "dialogs/copy/CopyDialog.h"
#include "dialogs/copy/CopyWizard.h"
#include "dialogs/export/ExportSizeDialog.h"
#include "dialogs/function/FunctionPropertySheet.h"
#include "dialogs/general/AboutDialog.h"
#include "dialogs/general/PrintSetupDialog.h"
#include "dialogs/general/TipDialog.h"
#include "dialogs/graph/GraphPropertiesSheet.h"
#include "dialogs/object/ObjectPropertiesSheet.h"
#include "dialogs/options/OptionsSheet.h"
#include "dialogs/values/ValuesDialog.h"
#include "document/ZelDoc.h"
#include "framework/PropertySheet.h"
#include "framework/WizardSheet.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPrinter>
#include <QPushButton>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

// The letter after a single "&", lower case; none for a text without one.
QChar Mnemonic(const QString& text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == QLatin1Char('&')) {
            if (text[i + 1] != QLatin1Char('&')) {
                return text[i + 1].toLower();
            }
            ++i;
        }
    }
    return {};
}

// Every mnemonic letter that more than one visible control of the dialog claims, with the texts.
QStringList Clashes(QWidget& dialog, const QString& where)
{
    QMap<QChar, QStringList> owners;
    for (QWidget* widget : dialog.findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(&dialog)) {
            continue;
        }
        QString text;
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            text = button->text();
        } else if (auto* label = qobject_cast<QLabel*>(widget); label && label->buddy()) {
            text = label->text();
        } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
            text = group->title();
        }
        if (const QChar letter = Mnemonic(text); !letter.isNull()) {
            owners[letter] << text;
        }
    }
    QStringList clashes;
    for (auto it = owners.cbegin(); it != owners.cend(); ++it) {
        if (it.value().size() > 1) {
            clashes << where + QStringLiteral(": Alt+") + it.key() + QStringLiteral(" ") +
                           it.value().join(QStringLiteral(" / "));
        }
    }
    return clashes;
}

QStringList WalkWizard(CWizardSheet& wizard, const QString& name)
{
    QStringList clashes;
    wizard.show();
    for (int step = 0; step < wizard.GetPageCount(); ++step) {
        clashes << Clashes(wizard, QStringLiteral("%1, Seite %2").arg(name).arg(wizard.GetActiveIndex() + 1));
        if (auto* addFunction = qobject_cast<CAddFunctionWizard*>(&wizard);
            addFunction && !wizard.NextButton()->isEnabled()) {
            addFunction->FunctionPage()->TermField()->setText(QStringLiteral("x"));
        }
        if (!wizard.NextButton()->isVisible()) {
            break;
        }
        wizard.NextButton()->click();
    }
    EXPECT_TRUE(wizard.FinishButton()->isVisible()) << name.toStdString() << " reached its last page";
    EXPECT_FALSE(Mnemonic(wizard.FinishButton()->text()).isNull()) << name.toStdString();
    return clashes;
}

QStringList WalkSheet(CPropertySheet& sheet, const QString& name)
{
    QStringList clashes;
    sheet.show();
    for (int page = 0; page < sheet.GetPageCount(); ++page) {
        sheet.SetActivePage(page);
        clashes << Clashes(sheet, QStringLiteral("%1, Seite %2").arg(name).arg(page + 1));
    }
    return clashes;
}

QStringList WalkDialog(QWidget& dialog, const QString& name)
{
    dialog.show();
    return Clashes(dialog, name);
}

} // namespace

TEST(Mnemonics, NoTwoVisibleControlsOfAnyDialogShareOne)
{
    CZelDoc doc;
    CGraphFunction function;
    function.SetTerm("x");
    doc.SetFunctions({function});
    QPrinter printer;
    QStringList clashes;
    {
        CAddFunctionWizard wizard;
        clashes << WalkWizard(wizard, QStringLiteral("Funktion hinzufügen"));
    }
    {
        CCopyWizard wizard{SCopyOptions{}};
        clashes << WalkWizard(wizard, QStringLiteral("Kopieren (Assistent)"));
    }
    {
        CGraphPropertiesSheet sheet{QStringLiteral("Graph1"), doc, CGraphPropertiesSheet::kFunctionsPage};
        clashes << WalkSheet(sheet, QStringLiteral("Eigenschaften"));
    }
    {
        CFunctionPropertySheet sheet{QStringLiteral("Funktion"), function};
        clashes << WalkSheet(sheet, QStringLiteral("Funktion"));
    }
    {
        CObjectPropertiesSheet sheet{CGraphObject{}};
        clashes << WalkSheet(sheet, QStringLiteral("Objekt"));
    }
    {
        COptionsSheet sheet;
        clashes << WalkSheet(sheet, QStringLiteral("Optionen"));
    }
    {
        CCopyDialog dialog{SCopyOptions{}};
        clashes << WalkDialog(dialog, QStringLiteral("Kopieren"));
    }
    {
        CValuesDialog dialog{doc.GetFunctions(), doc.GetScaling(), 0};
        clashes << WalkDialog(dialog, QStringLiteral("Diskussion"));
    }
    {
        CAboutDialog dialog;
        clashes << WalkDialog(dialog, QStringLiteral("Info"));
    }
    {
        CPrintSetupDialog dialog{printer};
        clashes << WalkDialog(dialog, QStringLiteral("Druckereinrichtung"));
    }
    {
        CTipDialog dialog;
        clashes << WalkDialog(dialog, QStringLiteral("Tip des Tages"));
    }
    {
        CExportSizeDialog dialog{QSize{640, 480}};
        clashes << WalkDialog(dialog, QStringLiteral("Exportieren"));
    }
    EXPECT_TRUE(clashes.isEmpty()) << clashes.join(QLatin1Char('\n')).toStdString();
}
