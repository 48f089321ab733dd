// The layout of the store's tables and its steps from one version to the
// next (see store_schema.cpp).
#pragma once

#include "store.h"

namespace tqsd {

// Brings an empty or older store to the newest layout in one transaction;
// refuses a store of a newer layout than this server knows.
void bringToNewestLayout(Store& store);

}  // namespace tqsd
