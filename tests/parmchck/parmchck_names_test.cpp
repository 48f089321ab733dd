// Control record, names, entry ids and the combined opening checks; lengths
// are encoded lengths, measured in the server's code page when it differs.
#include <functional>
#include <string>

#include "parmchck_fixture.h"

namespace {

const std::string kKana(1, '\xB1');  // half-width katakana: 1 byte in Shift_JIS, 2 in EUC-JP

struct NameCase {
  const char* what;
  const char* name;
  TQBoolean allowEmpty;
  Numbers expected;
};

TEST(ParmchckNames, DefinitionName) {
  const std::string thirty(30, 'n');
  const std::string thirtyOne(31, 'n');
  const NameCase cases[] = {
      {"30 bytes", thirty.c_str(), 0, {}},
      {"31 bytes", thirtyOne.c_str(), 0, {kTQErrNameTooLong}},
      {"31 bytes, empty allowed", thirtyOne.c_str(), 1, {kTQErrNameTooLong}},
      {"empty", "", 0, {kTQErrNameMissing}},
      {"NULL", nullptr, 0, {kTQErrNameMissing}},
      {"empty allowed", "", 1, {}},
      {"NULL allowed", nullptr, 1, {}},
  };
  for (const NameCase& c : cases) {
    Status s;
    EXPECT_TRUE(Outcome(tqCheckName(c.name, c.allowEmpty, s.get()), s, c.expected)) << c.what;
  }
}

// A Shift_JIS client and an EUC-JP server: half-width katakana double on the
// way, and the limit holds for the converted text.
TEST(ParmchckNames, NameMeasuredInTheServersCodePage) {
  const std::string grows30 = std::string(28, 'n') + kKana;  // 29 bytes, 30 converted
  const std::string grows31 = std::string(29, 'n') + kKana;  // 30 bytes, 31 converted
  const std::string kana16(16, '\xB1');                      // 16 bytes, 32 converted
  struct Case {
    int client, server;
    const std::string& name;
    Numbers expected;
  } cases[] = {
      {5, 4, grows30, {}},
      {5, 4, grows31, {kTQErrNameTooLong}},
      {5, 4, kana16, {kTQErrNameTooLong}},
      {5, 5, grows31, {}},  // same code page: bytes
      {0, 4, grows31, {}},  // a western client converts nothing
  };
  for (const Case& c : cases) {
    CurrentSession session(c.client, c.server);
    Status s;
    EXPECT_TRUE(Outcome(tqCheckName(c.name.c_str(), 0, s.get()), s, c.expected))
        << c.client << "->" << c.server << " length " << c.name.size();
  }
  // Without a current session the bytes count.
  Status s;
  EXPECT_TRUE(Outcome(tqCheckName(kana16.c_str(), 0, s.get()), s, {}));
  EXPECT_EQ(tqParmEncodedLength(kana16.c_str()), 16u);
}

TEST(ParmchckNames, ControlRecord) {
  struct Case {
    const char* what;
    std::function<void(TQControlStruct&)> change;
    Numbers expected;
  } cases[] = {
      {"valid", [](TQControlStruct&) {}, {}},
      {"empty user", [](TQControlStruct& c) { c.user[0] = '\0'; }, {kTQErrNoUser}},
      {"user of 30", [](TQControlStruct& c) { setText(c.user, std::string(30, 'u')); }, {}},
      {"user without terminator",
       [](TQControlStruct& c) { std::fill(std::begin(c.user), std::end(c.user), 'u'); },
       {kTQErrNameTooLong}},
      {"password without terminator",
       [](TQControlStruct& c) { std::fill(std::begin(c.password), std::end(c.password), 'p'); },
       {kTQErrNameTooLong}},
      {"empty password", [](TQControlStruct& c) { c.password[0] = '\0'; }, {}},
      {"empty server", [](TQControlStruct& c) { c.server[0] = '\0'; }, {kTQErrNoServer}},
      {"empty user before empty server",
       [](TQControlStruct& c) { c.user[0] = c.server[0] = '\0'; },
       {kTQErrNoUser}},
      {"server of 64", [](TQControlStruct& c) { setText(c.server, std::string(64, 's')); }, {}},
      {"server without terminator",
       [](TQControlStruct& c) { std::fill(std::begin(c.server), std::end(c.server), 's'); },
       {kTQErrNameTooLong}},
  };
  for (const Case& c : cases) {
    TQControlStruct control = validControl();
    c.change(control);
    Status s;
    EXPECT_TRUE(Outcome(tqCheckControl(&control, s.get()), s, c.expected)) << c.what;
  }
  Status s;
  EXPECT_TRUE(Outcome(tqCheckControl(nullptr, s.get()), s, {kTQErrNoUser}));
}

TEST(ParmchckNames, UserNameGrowingPastThirty) {
  CurrentSession session(5, 4);
  TQControlStruct control = validControl();
  setText(control.user, std::string(15, '\xB1'));  // 30 in EUC-JP
  Status ok;
  EXPECT_TRUE(Outcome(tqCheckControl(&control, ok.get()), ok, {}));
  setText(control.password, std::string(16, '\xB1'));  // 32 in EUC-JP
  Status s;
  EXPECT_TRUE(Outcome(tqCheckControl(&control, s.get()), s, {kTQErrNameTooLong}));
}

struct IdList {
  std::vector<TQEntryIdType> ids;
  TQEntryIdList list{0, nullptr};
  explicit IdList(std::initializer_list<std::string> texts) : ids(texts.size()) {
    size_t i = 0;
    for (const std::string& t : texts) {
      std::fill(std::begin(ids[i]), std::end(ids[i]), '\0');
      std::copy(t.begin(), t.begin() + std::min<size_t>(t.size(), 16), ids[i]);
      ++i;
    }
    list = {static_cast<uint32_t>(ids.size()), ids.data()};
  }
};

TEST(ParmchckNames, EntryIdList) {
  const std::string fifteen(15, '0');
  const std::string sixteen(16, '0');  // fills the array, no terminator
  struct Case {
    const char* what;
    IdList ids;
    Numbers expected;
  } cases[] = {
      {"one id", IdList{"000000000000001"}, {}},
      {"15 characters", IdList{fifteen}, {}},
      {"16 characters", IdList{sixteen}, {kTQErrEntryIdTooLong}},
      {"join with an empty member", IdList{"", "000000000000002"}, {}},
      {"all empty", IdList{"", ""}, {kTQErrNoEntryId}},
      {"empty list", IdList{}, {kTQErrEntryIdListMissing}},
  };
  for (Case& c : cases) {
    Status s;
    EXPECT_TRUE(Outcome(tqCheckEntryIdList(&c.ids.list, s.get()), s, c.expected)) << c.what;
  }
  Status none, nullArray;
  EXPECT_TRUE(Outcome(tqCheckEntryIdList(nullptr, none.get()), none, {kTQErrEntryIdListMissing}));
  TQEntryIdList counted{2, nullptr};
  EXPECT_TRUE(Outcome(tqCheckEntryIdList(&counted, nullArray.get()), nullArray, {kTQErrNullArray}));
}

TEST(ParmchckNames, EntryIdGrowingPastFifteen) {
  CurrentSession session(5, 4);
  IdList ids{std::string(8, '\xB1')};  // 8 bytes, 16 in EUC-JP
  Status s;
  EXPECT_TRUE(Outcome(tqCheckEntryIdList(&ids.list, s.get()), s, {kTQErrEntryIdTooLong}));
}

TEST(ParmchckNames, EntryIdListList) {
  IdList good{"1"}, empty{"", ""};
  TQEntryIdList members[] = {good.list, empty.list, good.list};
  TQEntryIdListList lists{3, members};
  Status s;
  EXPECT_TRUE(Outcome(tqCheckEntryIdListList(&lists, 0, s.get()), s, {kTQErrNoEntryId}));

  TQEntryIdListList empty0{0, nullptr};
  Status clear, allowed, counted;
  EXPECT_TRUE(
      Outcome(tqCheckEntryIdListList(&empty0, 0, clear.get()), clear, {kTQErrEntryIdListMissing}));
  EXPECT_TRUE(Outcome(tqCheckEntryIdListList(nullptr, 1, allowed.get()), allowed, {}));
  TQEntryIdListList nullItems{1, nullptr};
  EXPECT_TRUE(
      Outcome(tqCheckEntryIdListList(&nullItems, 1, counted.get()), counted, {kTQErrNullArray}));
}

TEST(ParmchckNames, CombinedOpeningChecks) {
  TQControlStruct control = validControl();
  const std::string tooLong(31, 'x');
  {
    Status s;  // control first: its error ends the check
    EXPECT_TRUE(
        Outcome(tqCheckControlAndName(nullptr, tooLong.c_str(), 0, s.get()), s, {kTQErrNoUser}));
  }
  {
    Status s;
    EXPECT_TRUE(Outcome(tqCheckControlAndName(&control, "", 0, s.get()), s, {kTQErrNameMissing}));
  }
  {
    Status s;
    EXPECT_TRUE(Outcome(tqCheckControlAndName(&control, "", 1, s.get()), s, {}));
  }
  {
    Status s;  // a rename: the name is required
    EXPECT_TRUE(Outcome(tqCheckControlNameNewName(&control, nullptr, "new", s.get()), s,
                        {kTQErrNameMissing}));
  }
  {
    Status s;  // the new name may be empty but not too long
    EXPECT_TRUE(Outcome(tqCheckControlNameNewName(&control, "old", nullptr, s.get()), s, {}));
    Status t;
    EXPECT_TRUE(Outcome(tqCheckControlNameNewName(&control, "old", tooLong.c_str(), t.get()), t,
                        {kTQErrNameTooLong}));
  }
  {
    Status s;  // the name may be empty; a missing output is 105
    EXPECT_TRUE(Outcome(tqCheckControlNameOutput(&control, "", 0, s.get()), s, {}));
    Status t;
    EXPECT_TRUE(Outcome(tqCheckControlNameOutput(&control, "", 1, t.get()), t, {kTQErrNoOutput}));
  }
}

}  // namespace
