#include "dialogs/addfunction/FAColorPage.h"
#include "dialogs/addfunction/FACommentPage.h"
#include "dialogs/addfunction/FADonePage.h"
#include "dialogs/addfunction/FAFunctionPage.h"
#include "dialogs/addfunction/FAScharPage.h"
#include "dialogs/addfunction/FAWelcomePage.h"
#include "dialogs/copy/CDonePage.h"
#include "dialogs/copy/CSizePage.h"
#include "dialogs/copy/CTypePage.h"
#include "dialogs/copy/CWelcomePage.h"
#include "dialogs/copy/CopyDialog.h"
#include "dialogs/export/ExportSizeDialog.h"
#include "dialogs/function/FPCommentPage.h"
#include "dialogs/function/FPFunctionPage.h"
#include "dialogs/general/AboutDialog.h"
#include "dialogs/general/TipDialog.h"
#include "dialogs/graph/VPFunctionsPage.h"
#include "dialogs/graph/VPObjectsPage.h"
#include "dialogs/graph/VPScalPage.h"
#include "dialogs/object/FPObjectPage.h"
#include "dialogs/options/OptGenPage.h"
#include "dialogs/options/OptUIPage.h"
#include "dialogs/values/ValuesDialog.h"
#include "framework/HelpWindow.h"

#include <QFile>
#include <QUrl>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

struct SDialogPage
{
    std::function<QWidget*()> make;
    const char* page;
};

// Every dialog and every page of a sheet or wizard names its own page of the help, and that page
// and its anchor exist, so F1 never lands on a missing section.
TEST(DialogHelpPages, EveryDialogNamesAPageThatExists)
{
    const SDialogPage cases[] = {
        {[] { return new CAboutDialog; }, "befehle.html#hilfe"},
        {[] { return new CTipDialog; }, "optionen.html#tip"},
        {[] { return new CFPFunctionPage; }, "daten.html#funktion"},
        {[] { return new CFPCommentPage; }, "daten.html#funktion"},
        {[] { return new CFPObjectPage; }, "daten.html#objekt"},
        {[] { return new CVPFunctionsPage{{}}; }, "daten.html#funktionen"},
        {[] { return new CVPObjectsPage{{}}; }, "daten.html#objekte"},
        {[] { return new CVPScalPage{CScaling{}}; }, "daten.html#skalierung"},
        {[] { return new COptGenPage; }, "optionen.html#allgemein"},
        {[] { return new COptUIPage; }, "optionen.html#benutzerfuehrung"},
        {[] { return new CFAWelcomePage; }, "daten.html#wizard"},
        {[] { return new CFAFunctionPage; }, "daten.html#wizard-funktion"},
        {[] { return new CFACommentPage; }, "daten.html#wizard-kommentar"},
        {[] { return new CFAScharPage; }, "daten.html#wizard-schar"},
        {[] { return new CFAColorPage; }, "daten.html#wizard-farbe"},
        {[] { return new CFADonePage; }, "daten.html#wizard-abschluss"},
        {[] {
             return new CValuesDialog{{}, CScaling{}, 0};
         },
         "diskussion.html#werte"},
        {[] { return new CCWelcomePage; }, "kopieren.html"},
        {[] { return new CCTypePage; }, "kopieren.html#typ"},
        {[] { return new CCSizePage; }, "kopieren.html#groesse"},
        {[] { return new CCDonePage; }, "kopieren.html#hinweis"},
        {[] { return new CCopyDialog{SCopyOptions{}}; }, "kopieren.html"},
        {[] { return new CExportSizeDialog{QSize{640, 480}}; }, "dateien.html#exportieren"},
    };
    const CHelpWindow help; // brings the bundled pages into the resources
    for (const SDialogPage& c : cases) {
        const std::unique_ptr<QWidget> widget{c.make()};
        const QString url = HelpPageOf(widget.get());
        EXPECT_EQ(url, QStringLiteral("qrc:/help/") + QString::fromLatin1(c.page));

        const QUrl parsed{url};
        QFile file{QStringLiteral(":/help/") + parsed.path().section(QLatin1Char('/'), -1)};
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << c.page;
        const QString text = QString::fromUtf8(file.readAll());
        if (parsed.hasFragment()) {
            EXPECT_TRUE(text.contains(QStringLiteral("id=\"%1\"").arg(parsed.fragment()))) << c.page;
        }
    }
}

} // namespace
