#include "framework/MessageBoxes.h"

#include "framework/CommandIds.h"
#include "framework/Resources.h"

#include <QMessageBox>

namespace {

CMessageBoxHook& Hook()
{
    static CMessageBoxHook hook;
    return hook;
}

} // namespace

void SetMessageBoxHook(CMessageBoxHook hook)
{
    Hook() = std::move(hook);
}

void ShowMessage(QWidget* parent, const QString& text)
{
    if (Hook()) {
        Hook()(text, false);
        return;
    }
    QMessageBox::information(parent, LoadString(IDS_APP_TITLE), text, QMessageBox::Ok);
}

bool AskYesNo(QWidget* parent, const QString& text)
{
    if (Hook()) {
        return Hook()(text, true);
    }
    return QMessageBox::question(parent, LoadString(IDS_APP_TITLE), text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}
