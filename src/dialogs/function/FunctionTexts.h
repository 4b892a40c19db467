#pragma once

#include <QString>

#include <string>

// The texts the function dialogs share, and the crossing between the records' Windows-1252 bytes
// and the fields' text.

QString FromRecordText(const std::string& bytes);
// The fields accept only Windows-1252 characters, so nothing is lost here.
std::string ToRecordText(const QString& text);

// A term the dialogs let through: not empty and without a syntax error.
bool IsUsableTerm(const QString& term);

// "f(x)=<term>", an entry of the function list.
QString FunctionListEntry(const QString& term);
// For a term the reading refuses or quietly completes: "Der Term ist fehlerhaft: an Stelle 3 fehlt
// ...", the tooltip of its entry in the function list, which is then marked with a warning sign.
// Empty for a sound term.
QString TermFaultNote(const std::string& term);
QString MarkedFunctionListEntry(const std::string& term);

// "Funktion hinzufügen" and "Eigenschaften von f(x)=<term>": the captions of the function
// property sheet.
QString AddFunctionCaption();
QString FunctionCaption(const QString& term);
// "Sind Sie sicher, daß Sie die Funktion f(x)=<term> löschen wollen?"
QString DeleteFunctionQuestion(const QString& term);
