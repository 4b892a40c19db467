#include "cli/CommandLine.h"

#include <QGuiApplication>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// The window system's own remarks while it tries and fails to start; shown only when no
// platform came up, since after a successful start they describe a fallback that worked.
QtMessageHandler g_previousHandler = nullptr;
QStringList g_startRemarks;
bool g_displayUnreachable = false;

void Forward(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (g_previousHandler != nullptr) {
        g_previousHandler(type, context, message);
    } else {
        std::fprintf(stderr, "%s\n", qUtf8Printable(qFormatLogMessage(type, context, message)));
    }
}

[[noreturn]] void ReportFailedStart()
{
    const char* display = std::getenv("DISPLAY");
    if (g_displayUnreachable && (display == nullptr || *display == '\0')) {
        // A platform forced to xcb without a display to go to.
        std::fprintf(stderr, "%s\n", NoDisplayMessage());
    } else if (g_displayUnreachable) {
        std::fprintf(stderr,
                     "vexplot: Die Anzeige „%s“ ist nicht erreichbar; das Fenster braucht eine. Ohne "
                     "Anzeige arbeiten vexplot --export und vexplot --discuss, oder das Fenster mit "
                     "xvfb-run -a vexplot.\n",
                     display);
    } else {
        std::fprintf(stderr,
                     "vexplot: Das Fenster kann nicht starten, die Anbindung an die Anzeige ließ sich "
                     "nicht laden. Ohne Anzeige arbeiten vexplot --export und vexplot --discuss.\n");
        for (const QString& remark : g_startRemarks) {
            std::fprintf(stderr, "    %s\n", qUtf8Printable(remark));
        }
    }
    std::fflush(stderr);
    std::_Exit(1);
}

void StartGuard(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (!QGuiApplication::platformName().isEmpty()) {
        Forward(type, context, message);
        return;
    }
    if (type == QtFatalMsg) {
        ReportFailedStart();
    }
    const char* category = context.category != nullptr ? context.category : "";
    if (std::strncmp(category, "qt.qpa", 6) == 0) {
        if (message.contains(QLatin1String("could not connect to display"))) {
            g_displayUnreachable = true;
        }
        g_startRemarks << message;
        return;
    }
    Forward(type, context, message);
}

} // namespace

void GuardWindowSystemStart()
{
    g_previousHandler = qInstallMessageHandler(StartGuard);
}
