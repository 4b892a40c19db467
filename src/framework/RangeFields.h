#pragma once

#include <QString>

class CNumberField;

// Reads the three fields of a range (from, to, step) in this order and refuses, with a message
// that says why, ends so far apart that their distance overflows. The document would quietly put
// its fallback range in place of such a range, and the user would never learn what became of
// the typed values. Each field tells its own message when it holds no number; the focus goes to
// the field to mend.
bool ReadRange(CNumberField& fromField, CNumberField& toField, CNumberField& stepField, double& from,
               double& to, double& step);

// The message for a range whose ends lie too far apart.
QString RangeTooWideMessage();
