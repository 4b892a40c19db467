#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>

#include <vector>

// The program's German texts and its menu, toolbar and accelerator tables, by resource number.

// The string with the given id, or an empty string. A command's string holds its status prompt,
// then a line feed and its tooltip.
QString LoadString(int id);
// The part of a command's string before the line feed (the status prompt) and after it (the tooltip).
QString StatusPrompt(int commandId);
QString ToolTipText(int commandId);

struct SMenuItem
{
    int id; // 0: separator
    const char* text;
};

struct SMenuPopup
{
    const char* title;
    std::vector<SMenuItem> items;
};

// Menu 128 (no document open), 129 (a document open) and the view's context menu 142.
const std::vector<SMenuPopup>& MainFrameMenu();
const std::vector<SMenuPopup>& GraphMenu();
const SMenuPopup& ViewContextMenu();

// Toolbars 128 ("Standard") and 131 ("Funktionen"); 0 is a separator.
const std::vector<int>& StandardToolBar();
const std::vector<int>& FunctionToolBar();

// The keys of a command from accelerator table 128 (empty when it has none).
QList<QKeySequence> Accelerators(int commandId);

// Document type string 129, field by field.
QString DocumentTypeField(int index);
