#pragma once

#include "document/ExtensionBlock.h"
#include "document/GraphFunction.h"
#include "document/GraphObject.h"

// The `STRK` records of the extension block: the width and the dash pattern of every function and
// object whose stroke is not the default (ExtensionBlock.md). The block itself carries them as it
// carries any record; only these two functions know what they say.

// One record per function, then per object, in list order; none for a default stroke.
CExtensionRecords LineStyleRecords(const CFunctionList& functions, const CObjectList& objects);

// Takes the `STRK` records out of records and gives their strokes to the lists. False when one of
// them is not a record this program writes (wrong length, a list or an index that does not
// exist): the block is then damaged, and nothing is changed.
bool TakeLineStyleRecords(CExtensionRecords& records, CFunctionList& functions, CObjectList& objects);
