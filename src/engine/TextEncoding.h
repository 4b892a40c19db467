#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Texts in records and graph files are Windows-1252 bytes. Everything that shows them to the user
// or takes them from the user (windows, the command line) converts here and nowhere else.

// Every byte has a character; the five bytes that Windows-1252 leaves unassigned become the C1
// control characters of the same number, so that any file's text survives a round trip.
std::string Cp1252ToUtf8(std::string_view text);

// Characters without a Windows-1252 byte become '?'; malformed UTF-8 bytes too.
std::string Utf8ToCp1252(std::string_view text);

// The length of the valid UTF-8 sequence starting at i, or 0 when the byte there begins none
// (overlong forms and encoded surrogates are not valid).
std::size_t Utf8SequenceAt(std::string_view text, std::size_t i);
