#pragma once

#include "document/ExtensionBlock.h"
#include "document/KeptArea.h"

// The `SHAD` records of the extension block, one per kept area in list order, and the `EQUN`
// record of equal units on both axes (ExtensionBlock.md). As with the strokes, the block carries
// them as it carries any record; only these functions know what they say.

CExtensionRecords AreaRecords(const CAreaList& areas);

// Takes the `SHAD` records out of records into areas. False when one of them is not a record this
// program writes (wrong length, an index beyond the functions, an area between a function and
// itself, a bound that is no finite number): the block is then damaged, and areas is left alone.
bool TakeAreaRecords(CExtensionRecords& records, std::size_t functionCount, CAreaList& areas);

// One `EQUN` record while equal units are on, none while they are off.
CExtensionRecords EqualUnitsRecords(bool on);

// Takes the `EQUN` records out of records. False for one with a payload (it has none) or for a
// second one; equalUnits is set only on success.
bool TakeEqualUnitsRecords(CExtensionRecords& records, bool& equalUnits);
