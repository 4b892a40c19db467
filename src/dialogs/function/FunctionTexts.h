#pragma once

#include "document/DerivedCurve.h"

#include <QString>

#include <string>

// The texts the function dialogs share, and the crossing between the records' Windows-1252 bytes
// and the fields' text.

QString FromRecordText(const std::string& bytes);
// The fields accept only Windows-1252 characters, so nothing is lost here.
std::string ToRecordText(const QString& text);

// A term the dialogs let through: not empty and without a syntax error.
bool IsUsableTerm(const QString& term);

// "g(x)=<term>", an entry of the function list, headed by the function's name ("h_k" for a
// family, see FunctionHead).
QString FunctionListEntry(const QString& head, const QString& term);
// For a term the reading refuses or quietly completes: "Der Term ist fehlerhaft: an Stelle 3 fehlt
// ...", the tooltip of its entry in the function list, which is then marked with a warning sign.
// Empty for a sound term.
QString TermFaultNote(const std::string& term);
QString MarkedFunctionListEntry(const std::string& head, const std::string& term);

// The row of a derived curve in the function lists: "f'(x)   (Ableitung von f)", with the point
// an antiderivative passes through: "F(x)   (Stammfunktion von f, F(0) = 0)".
QString DerivedCurveListEntry(const CFunctionList& functions, const CDerivedCurve& curve);

// "Funktion hinzufügen" and "Eigenschaften von g(x)=<term>": the captions of the function
// property sheet.
QString AddFunctionCaption();
QString FunctionCaption(const QString& head, const QString& term);
// "Sind Sie sicher, daß Sie die Funktion g(x)=<term> löschen wollen?"
QString DeleteFunctionQuestion(const QString& head, const QString& term);
