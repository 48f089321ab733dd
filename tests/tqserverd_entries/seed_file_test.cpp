// The seed file of --forms: what it declares is served, and a file that
// breaks its rules stops the server at start-up with code 1 and the line.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include "entry_client.h"

namespace {

using namespace enttest;

struct BadSeed {
  const char* name;
  const char* text;
  int line;
  const char* reason;
};

class RefusedSeedFile : public testing::TestWithParam<BadSeed> {};

TEST_P(RefusedSeedFile, EndsTheServerWithItsLine) {
  const BadSeed& c = GetParam();
  SeedFile seed(c.text);
  tqtest::ServerRun run = tqtest::runServerToEnd({"--forms", seed.path()});
  ASSERT_TRUE(WIFEXITED(run.status));
  EXPECT_EQ(WEXITSTATUS(run.status), 1);
  EXPECT_NE(run.err.find(seed.path() + ":" + std::to_string(c.line) + ": " + c.reason),
            std::string::npos)
      << run.err;
  EXPECT_EQ(run.out.find("listening"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedSeedFile,
    testing::Values(
        BadSeed{"UnknownKeyword", "form F\nfield 1 char Id\nfeild 2 char X\n", 3,
                "unknown declaration 'feild'"},
        BadSeed{"FieldBeforeForm", "# no form yet\nfield 1 char Id\n", 2,
                "a field needs a form line above it"},
        BadSeed{"UnknownType", "form F\n  field 8 text Summary\n", 2, "unknown data type 'text'"},
        BadSeed{"FieldIdZero", "form F\nfield 0 char X\n", 2, "field id '0' is not 1 to"},
        BadSeed{"FieldIdTooLarge", "form F\nfield 2147483648 char X\n", 2,
                "field id '2147483648' is not 1 to"},
        BadSeed{"FieldIdNotANumber", "form F\nfield 8a char X\n", 2, "field id '8a' is not"},
        BadSeed{"FieldWithoutName", "form F\nfield 8 char\n", 2, "a field name needs 1 to 30"},
        BadSeed{"FieldNameTooLong", "form F\nfield 8 char abcdefghijabcdefghijabcdefghijX\n", 2,
                "a field name needs 1 to 30"},
        BadSeed{"FieldTwice", "form F\nfield 8 char A\nfield 9 char B\nfield 8 char C\n", 4,
                "field 8 declared twice in form 'F'"},
        BadSeed{"FormTwice", "form F\nfield 8 char A\n\nform F\nfield 8 char A\n", 4,
                "form 'F' declared twice"},
        BadSeed{"FormNameTooLong", "form abcdefghijabcdefghijabcdefghijX\n", 1,
                "a form name needs 1 to 30"},
        BadSeed{"FormWithoutName", "form   \n", 1, "a form name needs 1 to 30"},
        BadSeed{"FormWithoutFields", "form F\n# nothing\nform G\nfield 1 char Id\n", 1,
                "form 'F' has no fields"},
        BadSeed{"LastFormWithoutFields", "form G\nfield 1 char Id\nform F\n", 3,
                "form 'F' has no fields"},
        BadSeed{"EnumWithoutValues", "form F\nfield 7 enum Status\nfield 8 char S\n", 2,
                "enum field 7 has no values"},
        BadSeed{"LastEnumWithoutValues", "form F\nfield 8 char S\nfield 9 enum P\n", 3,
                "enum field 9 has no values"},
        BadSeed{"ValueOfCharField", "form F\nfield 8 char S\nvalue New\n", 3,
                "field 8 is not an enum field"},
        BadSeed{"ValueWithoutField", "form F\nvalue New\n", 2,
                "a value needs an enum field line above it"},
        BadSeed{"ValueWithoutName", "form F\nfield 9 enum P\nvalue\n", 3,
                "a value name needs 1 to 30"},
        BadSeed{"StatusNotEnum", "form F\nfield 7 char Status\n", 2,
                "field 7 must be of type enum"},
        BadSeed{"CreateDateNotTime", "form F\nfield 3 integer Created\n", 2,
                "field 3 must be of type time"},
        BadSeed{"AccessCodeNotChar", "form F\nfield 102 diary Code\n", 2,
                "field 102 must be of type char"}),
    [](const testing::TestParamInfo<BadSeed>& info) { return info.param.name; });

TEST(SeedFile, MissingOrEmptyIsRefused) {
  tqtest::ServerRun missing = tqtest::runServerToEnd({"--forms", "/nonexistent/forms.txt"});
  ASSERT_TRUE(WIFEXITED(missing.status));
  EXPECT_EQ(WEXITSTATUS(missing.status), 1);
  EXPECT_NE(missing.err.find("/nonexistent/forms.txt: cannot read the forms file"),
            std::string::npos)
      << missing.err;

  SeedFile empty("# only a comment\n\n");
  tqtest::ServerRun run = tqtest::runServerToEnd({"--forms", empty.path()});
  ASSERT_TRUE(WIFEXITED(run.status));
  EXPECT_EQ(WEXITSTATUS(run.status), 1);
  EXPECT_NE(run.err.find("declares no form"), std::string::npos) << run.err;
}

TEST(SeedFile, SwitchIsListedAndNeedsAName) {
  tqtest::ServerRun help = tqtest::runServerToEnd({"--help"});
  EXPECT_NE(help.out.find("--forms FILE"), std::string::npos) << help.out;
  tqtest::ServerRun bad = tqtest::runServerToEnd({"--forms="});
  ASSERT_TRUE(WIFEXITED(bad.status));
  EXPECT_EQ(WEXITSTATUS(bad.status), 2);
  EXPECT_NE(bad.err.find("bad value for --forms"), std::string::npos) << bad.err;
}

TEST(SeedFile, ServesWhatItDeclares) {
  SeedFile seed(
      "# a form whose name has blanks, fields out of order, CRLF line ends\r\n"
      "  form  Asset Register  \r\n"
      "\tfield 20 integer Count   Number of items\r\n"
      "field 9 enum Kind\r\n"
      "value Desk lamp\r\n"
      "value Chair\r\n"
      "field 1 char Id\r\n");
  tqtest::TestServer server({"--forms", seed.path()});
  EntryClient client(server.port(), 6);
  Reply made = client.create("Asset Register", {{20, intV(3)}, {9, enumV(1)}});
  ASSERT_TRUE(made.ok()) << testing::PrintToString(made.texts);
  Reply got = client.get("Asset Register", {made.entryId});
  EXPECT_EQ(got.values, (FieldValues{{1, charV(made.entryId)}, {9, enumV(1)}, {20, intV(3)}}));
  // Two values: index 2 is beyond them.
  EXPECT_EQ(client.set("Asset Register", {made.entryId}, {{9, enumV(2)}}).numbers,
            std::vector<int32_t>{9353});
  // The demo forms are not there.
  EXPECT_EQ(client.create(kForm, {}).numbers, std::vector<int32_t>{9350});
}

}  // namespace
