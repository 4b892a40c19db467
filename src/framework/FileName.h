#pragma once

#include <QByteArray>
#include <QString>

// File names are bytes on this system, and not every name is valid UTF-8. A name travels inside
// the program as a QString in which each byte that is not part of valid UTF-8 is kept as one
// lone surrogate U+DC80..U+DCFF, so that it comes back as the same bytes when the file is opened
// or written. Qt's own conversion would turn such bytes into U+FFFD and so name another file.

// The QString for a name as the system gives it (command line, directory entries).
QString DecodeFileName(const QByteArray& bytes);

// The bytes to hand to the system for a name made by DecodeFileName (or typed by the user).
QByteArray EncodeFileName(const QString& name);

// The name as the user sees it: each kept byte shows as the replacement character.
QString DisplayFileName(const QString& name);
