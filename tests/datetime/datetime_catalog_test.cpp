// The catalog names the variable that overrides the date format (set 255,
// number 101). The catalog and the date tables are loaded once per process,
// so the case runs in a child with a catalog of its own.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "catalog_fixture.h"
#include "share/apisrv/datetime.h"

namespace {

TEST(DateTimeCatalog, CatalogRenamesTheOverrideVariable) {
  TempDir dir;
  writeCatalog(dir.path, "en", "$set 255\n101 MYDATE\n");
  const std::vector<std::string> lines = runInChild([&] {
    setCatalogEnvironment({{"TQCATALOGDIR", dir.path}});
    setenv("MYDATE", "%Y-%m-%d", 1);
    setenv("TQDATE", "%d.%m.%Y", 1);
    std::vector<std::string> out;
    out.push_back(tqDtOverrideName());
    struct tm tm {};
    tm.tm_mday = 1;
    out.push_back(tqDtScanDateTime("1998-01-05", &tm) ? "renamed read" : "renamed refused");
    out.push_back(tqDtScanDateTime("05.01.1998", &tm) ? "old read" : "old refused");
    return out;
  });
  EXPECT_EQ(lines, (std::vector<std::string>{"MYDATE", "renamed read", "old refused"}));
}

}  // namespace
