#pragma once

#include <QString>

// The German line under a term field: why the term is refused, or where it reads otherwise than
// at school; empty for a term that reads as written.
QString TermHint(const QString& term);
