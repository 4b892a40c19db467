#pragma once

#include "document/DerivedCurve.h"
#include "document/ExtensionBlock.h"

// The `DERV` records of the extension block: one per derived curve, in list order
// (ExtensionBlock.md). Like the strokes, they travel among the block's records; only these two
// functions know what they say.

CExtensionRecords DerivedCurveRecords(const CDerivedList& derived);

// Takes the `DERV` records of known kinds out of records into derived. False when one of them is
// not a record this program writes (wrong length, a source that is no function of the list, a
// start that is no number): the block is then damaged, and nothing is changed. A record of a
// kind this program does not know stays among the records and is written back as it came.
bool TakeDerivedCurveRecords(CExtensionRecords& records, std::size_t functionCount, CDerivedList& derived);
