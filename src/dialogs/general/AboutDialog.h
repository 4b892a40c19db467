#pragma once

#include <QDialog>

// The about box (dialog 100, "Info über..."): the program icon, the program's name and version in
// bold, and its release date.
class CAboutDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CAboutDialog)

public:
    explicit CAboutDialog(QWidget* parent = nullptr);
    ~CAboutDialog() override;
};
