#pragma once

#include <QApplication>

#include <QStringList>

#include <memory>

class CMainFrame;

// The application: starts the program in its fixed order and carries the application-wide
// commands through the main frame.
class CZelApp final : public QApplication
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CZelApp)

public:
    CZelApp(int& argc, char** argv);
    ~CZelApp() override;

    // Start-up: settings, recent files, floating point, the main frame, the command line, the
    // window state. False when the arguments are wrong, the main frame cannot be made or the
    // command line's file cannot be opened; the reason has gone to stderr then.
    bool InitInstance();
    // The status to end with after a failed start: 2 for wrong arguments, else 1.
    int ExitStatus() const { return m_exitStatus; }

    CMainFrame* MainFrame() const { return m_mainFrame.get(); }

    // Carries out the command line's request: a new document without a file, else the named file.
    // A file that cannot be opened is reported on stderr, and false is returned.
    static bool ProcessCommandLine(CMainFrame& frame, const QStringList& files);

    // The tip of the day at start: always read (the stored position advances), shown only when
    // "Tip"/"StartUp" asks for it.
    static void ShowStartupTip(QWidget* parent);

    // Masks every floating-point trap, so that a division by zero or an invalid operation gives an
    // infinity or a NaN instead of a signal; the interpreter turns those into its error flag.
    static void InstallFloatingPointHandling();
    // Loads Qt's German texts for its own dialogs and buttons, whatever the system's language.
    static void InstallGermanTranslation(QCoreApplication& app);

private:
    // The command line with the bytes of file names kept (DecodeFileName).
    QStringList m_arguments;
    std::unique_ptr<CMainFrame> m_mainFrame;
    int m_exitStatus{1};
};

// vexplot [FILE]: the windowed program; FILE opens that graph. Returns the exit status.
int RunApplication(int& argc, char** argv);
