#pragma once

#include <QString>

#include <functional>

class QWidget;

// The program's own message boxes, captioned with the application's title.

// An information icon and OK.
void ShowMessage(QWidget* parent, const QString& text);

// A question icon with Ja and Nein; true for Ja.
bool AskYesNo(QWidget* parent, const QString& text);

// Tests answer the boxes instead of a user: the hook gets the text and whether it is a question,
// and returns the answer (true for Ja; ignored for a message). An empty hook shows real boxes.
using CMessageBoxHook = std::function<bool(const QString& text, bool question)>;
void SetMessageBoxHook(CMessageBoxHook hook);
