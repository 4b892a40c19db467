#pragma once

#include <QString>

// The German line under a term field: why the term is refused, or where it reads otherwise than
// at school; empty for a term that reads as written. This is the term as the language reads it,
// without school notation.
QString TermHint(const QString& term);

// Whether typed terms are read in school notation ("Settings"/"SchoolNotation", on unless
// turned off in the options).
bool SchoolNotationOn();

// A term field's text as OK stores it, whether OK may store it, and the line under the field.
struct STypedTerm
{
    QString stored;
    bool usable{false};
    QString hint;
};

// With school notation, "x²-3" is stored as "x^2-3" and the line says so; a term still wrong
// after that is refused with where it is wrong. Without it, the text is stored as typed, and a
// term the reading would quietly complete ("x+", "sin()") is refused as well.
STypedTerm ReadTypedTerm(const QString& typed, bool schoolNotation);

// The text of a term as the term field holds it: a minus sign from a formula (U+2212) is the
// hyphen-minus, which every graph file can hold.
QString WithPlainMinus(QString text);
