// Chooses the catalog of the build tree, in English, before any test of the
// program looks a text up: the catalog is loaded once per process.
#include "status_fixture.h"

namespace {
const bool buildCatalogChosen = (useBuildCatalog(), true);
}  // namespace
