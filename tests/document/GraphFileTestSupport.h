#pragma once

#include "document/ZelDoc.h"

#include <cstdint>
#include <string>
#include <vector>

// Helpers shared by the graph file tests.

using Bytes = std::vector<std::uint8_t>;

// A file of tests/data (the folder is passed in VEX_TEST_DATA); empty when it is missing.
Bytes LoadTestFile(const std::string& name);
std::string TestFilePath(const std::string& name);

// Every field of the current content, doubles to the last bit, so two documents can be compared.
std::string Describe(const CZelDoc& doc);

// Families, umlauts and line breaks in comments, points and vertical lines, every field set to a
// value the setters keep; the grid type is the caller's.
CZelDoc MakeRichDocument(std::int32_t gridType);
