#pragma once

#include "dialogs/copy/CopyOptions.h"

class QWidget;

// Asks for the copy options: the wizard in the novice interface ("Settings"/"NoviceUI" 1, also
// when absent), the dialog otherwise. False when the user cancelled; options are then unchanged.
bool AskCopyOptions(QWidget* parent, SCopyOptions& options);
