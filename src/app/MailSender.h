#pragma once

#include <QString>

class CGraphDocument;

// "Nachricht senden...": hands a document's file to the desktop's mail program as the attachment
// of a new message (xdg-email). The user writes and sends the message there.
class CMailSender final
{
public:
    // Whether there is a mail program to hand a file to: the desktop tools are installed and a
    // program is registered for mail links. Asked once per run; the answer is kept.
    static bool IsAvailable();

    // Opens a new message with the document's file attached. False, with the reason in error,
    // when there is nothing to attach or the mail program cannot be started.
    static bool Send(const CGraphDocument& document, QString& error);

    // The file that is attached: the document's own file while it is saved and unchanged,
    // otherwise its current content written to a new temporary folder under the document's
    // name ("Graph1.zel"). The document itself stays as it is, unsaved or modified.
    // Empty, with the reason in error, when the copy cannot be written.
    static QString AttachmentFor(const CGraphDocument& document, QString& error);

    // Looks for the desktop tools in this folder only (empty: on the PATH) and forgets what was
    // found before; tests put stand-ins there.
    static void SetToolFolder(const QString& folder);
};
