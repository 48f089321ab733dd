// Building and inspecting status lists in tests.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "tqlink.h"

// One status item as (message type, message number).
using TypeAndNumber = std::pair<uint32_t, int32_t>;

// A list holding the items in the given order (not sorted), each with the
// message text "m<number>" and no appended text, in malloc memory.
TQStatusList makeStatusList(std::initializer_list<TypeAndNumber> items);

// The (type, number) pairs of list, in order.
std::vector<TypeAndNumber> typesAndNumbers(const TQStatusList& list);

// Releases the items and texts of list and leaves it empty.
void releaseStatusList(TQStatusList& list);

// Sets the environment for the catalog of the build tree, English, before
// the first lookup of the test program.
void useBuildCatalog();
