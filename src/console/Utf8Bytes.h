#pragma once

#include "engine/TextEncoding.h"

#include <cstddef>
#include <string>
#include <string_view>

// Arguments are bytes, and not every argument is valid UTF-8. The commands keep them as bytes, so
// that a file name comes back unchanged in a message or to the system; these helpers tell the
// valid sequences from the bytes that belong to none.

// The text with every byte that belongs to no valid sequence replaced by '?', as a term or a word
// of an argument is read.
std::string WithInvalidBytesReplaced(std::string_view text);

// How many 16-bit units the text takes as UTF-16, each invalid byte counting as one.
std::size_t Utf16Length(std::string_view text);
