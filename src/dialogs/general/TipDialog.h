#pragma once

#include "dialogs/general/TipFile.h"

#include <QDialog>
#include <QString>
#include <QStringList>

#include <memory>

class QCheckBox;
class QLabel;
class QPushButton;

// The tip of the day (dialog 103, "Tip des Tages"). Every construction reads the next tip from
// "tips.txt" and moves the position stored in "Tip"/"FilePos" past it, whether or not the dialog
// is then shown; a changed time stamp of the file starts again from the first tip.
class CTipDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CTipDialog)

public:
    // Reads the settings, opens the tips file (LocateTipsFile() unless a path is given) and reads
    // the first tip.
    explicit CTipDialog(QWidget* parent = nullptr, const QString& tipsFile = {});
    // Stores the reading position and closes the file.
    ~CTipDialog() override;

    // Where the tips file is looked for, in this order: the current directory, beside the
    // program, and the installed data folder ("../share/vexplot" from the program's folder, or
    // "../../share/vexplot" from libexec/vexplot/, where the window's program is installed).
    static QStringList TipsFileCandidates();
    // The first candidate that exists, else the plain name (which then fails to open).
    static QString LocateTipsFile();

    // Whether the tip is shown at start: "StartUp" read inverted, then "Beim &Start anzeigen".
    bool ShowAtStart() const { return m_showAtStart != 0; }
    // The tip as read from the file, line end included, or the text of a failure.
    QString TipText() const { return m_tipText; }

    void accept() override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void ReadNextTip();
    void UpdateControls();
    void ShowReadError();

    int m_showAtStart{1};
    QString m_tipText;
    std::unique_ptr<CTipFile> m_file;

    QWidget* m_panel{nullptr};
    QLabel* m_tip{nullptr};
    QCheckBox* m_startUp{nullptr};
    QPushButton* m_next{nullptr};
};
