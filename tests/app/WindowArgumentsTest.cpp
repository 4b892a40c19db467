#include "app/WindowArguments.h"

#include <gtest/gtest.h>

// The window form takes a file and no option; a wrong option gets a German line with the usage,
// never Qt's English "Unknown option".
TEST(WindowArguments, TakeFilesAndRefuseEveryOptionInGerman)
{
    const struct
    {
        QStringList arguments;
        QStringList files;
        QString error;
    } cases[] = {
        {{"vexplot"}, {}, {}},
        {{"vexplot", "kurve.zel"}, {"kurve.zel"}, {}},
        {{"vexplot", "--", "-seltsam.zel"}, {"-seltsam.zel"}, {}},
        {{"vexplot", "--farbe"},
         {},
         QStringLiteral(
             "unbekannte Option \"--farbe\"; Aufruf: vexplot [DATEI] (\"vexplot --help\" nennt alle "
             "Aufrufe)")},
        {{"vexplot", "kurve.zel", "-q"},
         {},
         QStringLiteral(
             "unbekannte Option \"-q\"; Aufruf: vexplot [DATEI] (\"vexplot --help\" nennt alle Aufrufe)")},
    };
    for (const auto& c : cases) {
        const SWindowArguments read = ReadWindowArguments(c.arguments);
        EXPECT_EQ(read.error, c.error) << c.arguments.join(' ').toStdString();
        if (c.error.isEmpty()) {
            EXPECT_EQ(read.files, c.files) << c.arguments.join(' ').toStdString();
        }
        EXPECT_FALSE(read.error.contains(QStringLiteral("Unknown")));
    }
}
