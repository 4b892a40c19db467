#include "app/ZelApp.h"

#include "app/WindowArguments.h"

#include "ProductInfo.h"

#include "app/DocumentManager.h"
#include "app/MainFrame.h"
#include "dialogs/general/LogoWnd.h"
#include "dialogs/general/TipDialog.h"
#include "framework/CommandIds.h"
#include "framework/FileName.h"
#include "framework/HelpWindow.h"
#include "framework/Pictures.h"
#include "framework/Resources.h"
#include "framework/SettingsStore.h"

#include <QLibraryInfo>
#include <QTranslator>

#include <cfenv>
#include <cstdio>

CZelApp::CZelApp(int& argc, char** argv) : QApplication{argc, argv}
{
    // Qt's own list turns the bytes of a name that is not UTF-8 into replacement characters,
    // which name another file; what Qt left of argv still has them.
    for (int i = 0; i < argc; ++i) {
        m_arguments << DecodeFileName(QByteArray{argv[i]});
    }
    setOrganizationName(LoadString(IDS_COMPANY));
    setApplicationName(LoadString(IDS_APP_TITLE));
    setApplicationVersion(QStringLiteral(VEX_VERSION));
    setWindowIcon(ProgramIcon());
}

CZelApp::~CZelApp() = default;

void CZelApp::InstallFloatingPointHandling()
{
    // The trap bits are masked by default on this platform; masking them again guards against a
    // library that unmasked them. There is then no floating-point signal to handle, and an integer
    // fault keeps its default action: resuming after it would only repeat the faulting instruction.
    fedisableexcept(FE_ALL_EXCEPT);
}

void CZelApp::InstallGermanTranslation(QCoreApplication& app)
{
    auto* translator = new QTranslator{&app};
    if (translator->load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator);
    }
}

bool CZelApp::InitInstance()
{
    // Wrong arguments end the start before any window, the splash included, appears.
    const SWindowArguments read = ReadWindowArguments(m_arguments);
    if (!read.error.isEmpty()) {
        std::fprintf(stderr, "vexplot: %s\n", read.error.toUtf8().constData());
        m_exitStatus = 2;
        return false;
    }

    InstallGermanTranslation(*this);
    InstallHelpKeys();

    // Settings and the recent-file list are read where they are used, from the store.
    CSettingsStore& settings = CSettingsStore::Instance();
    // Only the value 1 allows the splash; the main frame shows it as soon as it exists.
    if (settings.GetProfileInt(QStringLiteral("Settings"), QStringLiteral("StartLogo"), 1) == 1) {
        CLogoWnd::EnableLogo(true);
    }

    InstallFloatingPointHandling();

    m_mainFrame = std::make_unique<CMainFrame>();

    if (!ProcessCommandLine(*m_mainFrame, read.files)) {
        return false;
    }

    if (settings.GetProfileInt(QStringLiteral("Settings"), QStringLiteral("StartFullScreen"), 0) == 1) {
        m_mainFrame->showMaximized();
    } else {
        m_mainFrame->show();
    }
    ShowStartupTip(m_mainFrame.get());
    return true;
}

void CZelApp::ShowStartupTip(QWidget* parent)
{
    // Constructed even when it is not wanted, so that the next run shows the next tip.
    CTipDialog tip{parent};
    if (tip.ShowAtStart()) {
        tip.exec();
    }
}

bool CZelApp::ProcessCommandLine(CMainFrame& frame, const QStringList& files)
{
    CDocumentManager* documents = frame.DocumentManager();
    if (files.isEmpty()) {
        documents->NewDocument();
        return true;
    }
    // A file that cannot be opened ends start-up. Someone who double-clicked it in a file manager
    // has no terminal, so the reason goes to the same message box as "Öffnen" shows; scripts
    // still find it on stderr.
    const auto showError = documents->showError;
    documents->showError = [showError](const QString& message) {
        std::fprintf(stderr, "vexplot: %s\n", message.toUtf8().constData());
        showError(message);
    };
    const bool opened = documents->OpenDocument(files.first()) != nullptr;
    documents->showError = showError;
    return opened;
}

int RunApplication(int& argc, char** argv)
{
    CZelApp app{argc, argv};
    if (!app.InitInstance()) {
        return app.ExitStatus();
    }
    return app.exec();
}
