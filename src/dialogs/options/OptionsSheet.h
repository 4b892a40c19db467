#pragma once

#include "framework/PropertySheet.h"

class COptGenPage;
class COptUIPage;

// The program options ("Optionen"): the tabs "Allgemein" and "Benutzerführung". The settings
// are read when the sheet opens and written only on OK; nothing in the running program changes
// at once, each value counts where it is next read.
class COptionsSheet final : public CPropertySheet
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(COptionsSheet)

public:
    explicit COptionsSheet(QWidget* parent = nullptr);
    ~COptionsSheet() override;

    // OK writes the settings once every page has read its fields back.
    void done(int result) override;

private:
    void ReadSettings();
    void WriteSettings();

    COptGenPage* m_general{nullptr};
    COptUIPage* m_interface{nullptr};
};
