// Attachment values of the entry operations: their preparation before a
// set, create or merge sends them (tqb_attach_prepare.cpp); TQGetEntryBLOB
// fetches one attachment's data (tqb_attach_get.cpp).
#pragma once

#include <cstdint>

#include "tqlink.h"

// Prepares every attachment value (data type 11) of the caller's list in
// place, in order, and stops at the first failure: a file location is read
// into memory and its name released, the data packed when packing makes it
// something the server can tell from unpacked data. Returns 0 or the most
// severe status type.
uint32_t tqPrepareAttachments(TQFieldValueList* values, TQStatusList* status);
