#pragma once

#include <QString>
#include <QStringList>

// The arguments of the window form, "vexplot [DATEI]", after the toolkit has taken its own
// (-platform, -style and the like). The help and the headless commands never get here.
struct SWindowArguments
{
    QStringList files;
    // Empty, or the German line for a wrong argument, with the usage; the program then ends with
    // status 2, as the headless commands do for wrong arguments.
    QString error;
};

SWindowArguments ReadWindowArguments(const QStringList& arguments);
