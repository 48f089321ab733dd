// The five entry operations end to end against tqserverd with the demo
// forms: at protocol version 6 and through servers capped at older versions,
// the field 102 scrambling, the last created entry id of the session, and
// the checks that stop a call before it reaches the server.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "api/tqb_scramble.h"
#include "api/tqb_session.h"
#include "session_fixture.h"
#include "tq_test_server.h"
#include "tqlink.h"

namespace {

using tqsess::Client;
using tqsess::numbers;
using tqtest::TestServer;

constexpr const char* kForm = "Demo:Request";
constexpr uint32_t kDescription = 8;
constexpr uint32_t kStatusField = 7;
constexpr uint32_t kAccessCode = 102;
constexpr uint32_t kImpact = 536870915;
constexpr uint32_t kCost = 536870917;
constexpr uint32_t kProcGet = 1, kProcSet = 2, kProcCreate = 3, kProcDelete = 4, kProcMerge = 37;

std::vector<std::string> demoServer(const char* maxVersion = "6") {
  return {"--forms", TQ_DEMO_FORMS, "--max-version", maxVersion};
}

// A field value list built item by item; texts are the caller's (never
// released by the operations).
struct Values {
  std::vector<TQFieldValueStruct> items;
  std::vector<std::string> texts;

  Values() { texts.reserve(16); }
  Values& text(uint32_t id, const std::string& value) {
    texts.push_back(value);
    TQFieldValueStruct item{};
    item.fieldId = id;
    item.value.dataType = TQ_DATA_TYPE_CHAR;
    item.value.u.charVal = texts.back().data();
    items.push_back(item);
    return *this;
  }
  Values& integer(uint32_t id, int32_t value) {
    TQFieldValueStruct item{};
    item.fieldId = id;
    item.value.dataType = TQ_DATA_TYPE_INTEGER;
    item.value.u.intVal = value;
    items.push_back(item);
    return *this;
  }
  Values& typed(uint32_t id, uint32_t dataType) {
    TQFieldValueStruct item{};
    item.fieldId = id;
    item.value.dataType = dataType;
    items.push_back(item);
    return *this;
  }
  TQFieldValueList list() { return {static_cast<uint32_t>(items.size()), items.data()}; }
};

struct Ids {
  std::vector<TQEntryIdType> ids;
  explicit Ids(std::vector<std::string> texts) : ids(texts.size()) {
    for (size_t i = 0; i < texts.size(); ++i) {
      std::memset(ids[i], 0, sizeof(TQEntryIdType));
      std::memcpy(ids[i], texts[i].data(), std::min<size_t>(texts[i].size(), TQ_MAX_ENTRYID_SIZE));
    }
  }
  TQEntryIdList list() { return {static_cast<uint32_t>(ids.size()), ids.data()}; }
};

// The values of a get, by field id.
struct Got {
  TQFieldValueList list{};
  ~Got() { FreeTQFieldValueList(&list, 0); }
  const TQValueStruct* find(uint32_t id) const {
    for (uint32_t i = 0; i < list.numItems; ++i)
      if (list.fieldValueList[i].fieldId == id) return &list.fieldValueList[i].value;
    return nullptr;
  }
  std::string text(uint32_t id) const {
    const TQValueStruct* v = find(id);
    return v && v->dataType == TQ_DATA_TYPE_CHAR && v->u.charVal ? v->u.charVal : "<none>";
  }
  int32_t integer(uint32_t id) const {
    const TQValueStruct* v = find(id);
    return v && v->dataType == TQ_DATA_TYPE_INTEGER ? v->u.intVal : -1;
  }
};

std::string create(Client& c, Values& values, uint32_t* code = nullptr) {
  TQFieldValueList list = values.list();
  TQEntryIdType id;
  std::memset(id, 'x', sizeof id);
  uint32_t rc = TQCreateEntry(&c.control, kForm, &list, id, c.fresh());
  if (code != nullptr) *code = rc;
  return std::string(id, strnlen(id, sizeof id));
}

uint32_t get(Client& c, const std::string& id, Got* got, std::vector<uint32_t> fields = {}) {
  Ids ids({id});
  TQEntryIdList list = ids.list();
  TQInternalIdList wanted{static_cast<uint32_t>(fields.size()), fields.data()};
  return TQGetEntry(&c.control, kForm, &list, fields.empty() ? nullptr : &wanted,
                    got ? &got->list : nullptr, c.fresh());
}

std::string scrambled(const std::string& clear) {
  char buf[31] = {};
  std::memcpy(buf, clear.data(), std::min<size_t>(clear.size(), 30));
  tqScramblePassword(317204659, buf);
  return buf;
}

std::string lastCreated(const Client& c) {
  const char* id = c.control.session->lastCreatedEntryId;
  return std::string(id, strnlen(id, sizeof(TQEntryIdType)));
}

// ---------------------------------------------------------------- lifecycle

class EntryVersions : public ::testing::TestWithParam<const char*> {};

TEST_P(EntryVersions, CreateGetSetMergeDelete) {
  TestServer server(demoServer(GetParam()));
  Client c;
  ASSERT_EQ(c.route(server.port()), 0u);

  Values v;
  v.text(kDescription, "Printer jams").integer(kImpact, 3);
  uint32_t code = 9;
  const std::string id = create(c, v, &code);
  ASSERT_EQ(code, 0u) << (numbers(c.status).empty() ? 0 : numbers(c.status)[0]);
  ASSERT_FALSE(id.empty());
  EXPECT_EQ(lastCreated(c), id);
  EXPECT_EQ(server.calls(kProcCreate), 1u);

  {  // all fields
    Got got;
    ASSERT_EQ(get(c, id, &got), 0u);
    EXPECT_EQ(got.text(kDescription), "Printer jams");
    EXPECT_EQ(got.integer(kImpact), 3);
    EXPECT_EQ(got.text(1), id);
    EXPECT_GT(got.list.numItems, 10u);
  }
  {  // a field list: those fields only, in that order
    Got got;
    ASSERT_EQ(get(c, id, &got, {kImpact, kDescription}), 0u);
    ASSERT_EQ(got.list.numItems, 2u);
    EXPECT_EQ(got.list.fieldValueList[0].fieldId, kImpact);
    EXPECT_EQ(got.list.fieldValueList[1].fieldId, kDescription);
  }
  {  // no output list: the server is asked all the same
    const uint64_t before = server.calls(kProcGet);
    EXPECT_EQ(get(c, id, nullptr), 0u);
    EXPECT_EQ(server.calls(kProcGet), before + 1);
  }
  {  // set, then read back
    Values change;
    change.text(kDescription, "Printer fixed").integer(kImpact, 1);
    TQFieldValueList list = change.list();
    Ids ids({id});
    TQEntryIdList idList = ids.list();
    ASSERT_EQ(TQSetEntry(&c.control, kForm, &idList, &list, 0, 0, c.fresh()), 0u);
    Got got;
    ASSERT_EQ(get(c, id, &got), 0u);
    EXPECT_EQ(got.text(kDescription), "Printer fixed");
    EXPECT_EQ(got.integer(kImpact), 1);
  }
  {  // merge type 4 updates the entry named by field 1
    Values merge;
    merge.text(1, id).integer(kImpact, 7);
    TQFieldValueList list = merge.list();
    TQEntryIdType merged = "garbage";
    ASSERT_EQ(TQMergeEntry(&c.control, kForm, &list, 4, merged, c.fresh()), 0u);
    EXPECT_EQ(std::string(merged), id);
    Got got;
    ASSERT_EQ(get(c, id, &got), 0u);
    EXPECT_EQ(got.integer(kImpact), 7);
    EXPECT_EQ(got.text(kDescription), "Printer fixed");
  }
  {  // delete; the entry is gone
    Ids ids({id});
    TQEntryIdList idList = ids.list();
    ASSERT_EQ(TQDeleteEntry(&c.control, kForm, &idList, 0, c.fresh()), 0u);
    Got got;
    EXPECT_EQ(get(c, id, &got), 2u);
    ASSERT_FALSE(numbers(c.status).empty());
    EXPECT_EQ(numbers(c.status)[0], 302);
    EXPECT_EQ(got.list.numItems, 0u);
  }
}

// The merge type travels unchanged (one byte at versions 2 and 3): type 1
// refuses an id that exists, type 2 gives a new one.
TEST_P(EntryVersions, MergeTypesReachTheServer) {
  TestServer server(demoServer(GetParam()));
  Client c;
  ASSERT_EQ(c.route(server.port()), 0u);
  Values v;
  v.text(kDescription, "first");
  const std::string id = create(c, v);
  ASSERT_FALSE(id.empty());

  Values again;
  again.text(1, id).text(kDescription, "second");
  TQFieldValueList list = again.list();
  TQEntryIdType out;
  EXPECT_EQ(TQMergeEntry(&c.control, kForm, &list, 1, out, c.fresh()), 2u);
  ASSERT_FALSE(numbers(c.status).empty());
  EXPECT_EQ(numbers(c.status)[0], 9356);
  EXPECT_EQ(out[0], '\0');
  EXPECT_EQ(lastCreated(c), id);  // the error kept the earlier id

  ASSERT_EQ(TQMergeEntry(&c.control, kForm, &list, 2, out, c.fresh()), 0u);
  EXPECT_NE(std::string(out), id);
  EXPECT_EQ(lastCreated(c), std::string(out));
}

// Field 102 goes out scrambled (the server keeps it in clear, so the value
// read back proves what arrived) and the caller's own texts stay as given.
TEST_P(EntryVersions, PasswordFieldIsScrambledOnTheWay) {
  const bool v6 = std::string(GetParam()) == "6";
  TestServer server(demoServer(GetParam()));
  Client c;
  ASSERT_EQ(c.route(server.port()), 0u);

  struct Case {
    std::string given;
    std::string kept;  // the clear text the server keeps
  };
  std::vector<Case> cases = {{"opensesame", "opensesame"},
                             {"x", "x"},
                             {std::string(40, 'k') + "TAIL", std::string(30, 'k')}};
  // What a get hands back: a version-6 server answers scrambled and the client
  // leaves it; an older one answers clear and the client scrambles every value
  // that is not exactly 30 characters long.
  auto expected = [&](const std::string& kept) {
    return v6 || kept.size() != 30 ? scrambled(kept) : kept;
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.given);
    Values v;
    v.text(kDescription, "with code").text(kAccessCode, k.given);
    const std::string id = create(c, v);
    ASSERT_FALSE(id.empty()) << numbers(c.status)[0];
    EXPECT_EQ(v.texts[1], k.given);
    EXPECT_EQ(v.items[1].value.u.charVal, v.texts[1].data());

    Got got;
    ASSERT_EQ(get(c, id, &got, {kAccessCode}), 0u);
    EXPECT_EQ(got.text(kAccessCode), expected(k.kept));

    // A set sends it the same way.
    Values change;
    change.text(kAccessCode, "changed");
    TQFieldValueList list = change.list();
    Ids ids({id});
    TQEntryIdList idList = ids.list();
    ASSERT_EQ(TQSetEntry(&c.control, kForm, &idList, &list, 0, 0, c.fresh()), 0u);
    EXPECT_EQ(change.texts[0], "changed");
    Got after;
    ASSERT_EQ(get(c, id, &after, {kAccessCode}), 0u);
    EXPECT_EQ(after.text(kAccessCode), expected("changed"));
  }
}

// Several ids travel as a list at versions 4 to 6 (this server's forms are
// plain and refuse it); versions 2 and 3 carry one id, so the client refuses
// the list itself.
TEST_P(EntryVersions, EntryIdListOfTwo) {
  const int version = std::stoi(GetParam());
  TestServer server(demoServer(GetParam()));
  Client c;
  ASSERT_EQ(c.route(server.port()), 0u);
  Values v;
  v.text(kDescription, "joined?");
  const std::string id = create(c, v);
  ASSERT_FALSE(id.empty());

  Ids two({id, id});
  TQEntryIdList list = two.list();
  Got got;
  const uint64_t before = server.calls(kProcGet);
  EXPECT_EQ(TQGetEntry(&c.control, kForm, &list, nullptr, &got.list, c.fresh()), 2u);
  ASSERT_FALSE(numbers(c.status).empty());
  if (version >= 4) {
    EXPECT_EQ(numbers(c.status)[0], 9355);
    EXPECT_EQ(server.calls(kProcGet), before + 1);
  } else {
    EXPECT_EQ(numbers(c.status)[0], 121);
    EXPECT_EQ(server.calls(kProcGet), before);
  }
  const uint64_t deletes = server.calls(kProcDelete);
  EXPECT_EQ(TQDeleteEntry(&c.control, kForm, &list, 0, c.fresh()), 2u);
  EXPECT_EQ(server.calls(kProcDelete), deletes + (version >= 4 ? 1u : 0u));
  Got still;
  EXPECT_EQ(get(c, id, &still), 0u);  // still there
}

INSTANTIATE_TEST_SUITE_P(Versions, EntryVersions, ::testing::Values("6", "5", "4", "3", "2"),
                         [](const auto& info) { return std::string("v") + info.param; });

// Values version 5 cannot carry end the call before it is sent.
TEST(EntryTranslation, DecimalValueRefusedBelowVersion6) {
  for (const char* version : {"6", "5", "3"}) {
    SCOPED_TRACE(version);
    TestServer server(demoServer(version));
    Client c;
    ASSERT_EQ(c.route(server.port()), 0u);
    Values v;
    v.text(kDescription, "cost");
    v.texts.push_back("12.50");
    v.items.push_back({kCost, {}});
    v.items.back().value.dataType = TQ_DATA_TYPE_DECIMAL;
    v.items.back().value.u.decimalVal = v.texts.back().data();
    uint32_t code = 9;
    const std::string id = create(c, v, &code);
    if (std::string(version) == "6") {
      EXPECT_EQ(code, 0u);
      EXPECT_EQ(server.calls(kProcCreate), 1u);
    } else {
      EXPECT_EQ(code, 2u);
      ASSERT_FALSE(numbers(c.status).empty());
      EXPECT_EQ(numbers(c.status)[0], 283);
      EXPECT_EQ(server.calls(kProcCreate), 0u);
      EXPECT_TRUE(id.empty());
    }
  }
}

// ------------------------------------------------------- last created id

// A create that the server answers with a warning still names the entry, so
// the session keeps its id; the warning reaches the caller.
TEST(EntrySession, WarningsKeepTheCreatedId) {
  std::vector<std::string> switches = demoServer();
  switches.insert(switches.end(), {"--set", "entries.create-warning=302"});
  TestServer server(switches);
  Client c;
  ASSERT_EQ(c.route(server.port()), 0u);
  Values v;
  v.text(kDescription, "warned");
  uint32_t code = 9;
  const std::string id = create(c, v, &code);
  ASSERT_FALSE(id.empty());
  EXPECT_EQ(code, 1u);
  ASSERT_FALSE(numbers(c.status).empty());
  EXPECT_EQ(numbers(c.status)[0], 302);
  EXPECT_EQ(lastCreated(c), id);
}

TEST(EntrySession, ErrorsDoNotReplaceTheLastCreatedId) {
  TestServer server(demoServer());
  Client c;
  ASSERT_EQ(c.route(server.port()), 0u);
  Values good;
  good.text(kDescription, "kept");
  const std::string id = create(c, good);
  ASSERT_FALSE(id.empty());
  EXPECT_EQ(lastCreated(c), id);

  struct Case {
    const char* what;
    std::function<void(Values&)> build;
    int32_t message;
  };
  const Case cases[] = {
      {"unknown field", [](Values& v) { v.text(999, "x"); }, 9351},
      {"wrong type", [](Values& v) { v.integer(kDescription, 1); }, 9352},
      {"server field", [](Values& v) { v.text(5, "me"); }, 9354},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    Values values;
    k.build(values);
    uint32_t code = 9;
    EXPECT_EQ(create(c, values, &code), "");
    EXPECT_EQ(code, 2u);
    ASSERT_FALSE(numbers(c.status).empty());
    EXPECT_EQ(numbers(c.status)[0], k.message);
    EXPECT_EQ(lastCreated(c), id);
  }
  // The id variable of the session reads the same id.
  TQValueStruct value{};
  ASSERT_EQ(TQGetSessionVariable(&c.control, 9, &value, c.fresh()), 0u);
  ASSERT_EQ(value.dataType, static_cast<uint32_t>(TQ_DATA_TYPE_CHAR));
  EXPECT_EQ(std::string(value.u.charVal), id);
  FreeTQValueStruct(&value, 0);
}

// ------------------------------------------------------------ the checks

TEST(EntryChecks, InvalidArgumentsNeverReachTheServer) {
  TestServer server(demoServer());
  Client c;
  ASSERT_EQ(c.route(server.port()), 0u);
  // (An attachment is refused after the call header is ready, which may
  // ask the server who it is; only the entry procedures are counted.)
  auto entryCalls = [&] {
    return server.calls(kProcGet) + server.calls(kProcSet) + server.calls(kProcCreate) +
           server.calls(kProcDelete) + server.calls(kProcMerge);
  };

  Values one;
  one.text(kDescription, "x");
  TQFieldValueList values = one.list();
  TQFieldValueList empty{0, nullptr};
  TQEntryIdList noIds{0, nullptr};
  Ids someId({"1"});
  TQEntryIdList badId = someId.list();
  Values attach;
  attach.text(kDescription, "file").typed(kDescription, TQ_DATA_TYPE_ATTACH);
  // Attachments that fail their preparation: a location type that does not
  // exist, and a file that cannot be opened (whose name is left in place).
  char fileName[] = "/nonexistent/attachment.bin";
  TQAttachStruct attachment{};
  attachment.name = fileName;
  attachment.originalSize = 10;
  attachment.loc.locationType = 3;
  attach.items.back().value.u.attachVal = &attachment;
  TQFieldValueList attachList = attach.list();
  TQAttachStruct missing = attachment;
  missing.loc.locationType = TQ_LOC_FILENAME;
  missing.loc.u.filename = fileName;
  Values attachFile;
  attachFile.typed(kDescription, TQ_DATA_TYPE_ATTACH);
  attachFile.items.back().value.u.attachVal = &missing;
  TQFieldValueList missingList = attachFile.list();
  TQEntryIdType out;

  struct Case {
    const char* what;
    std::function<uint32_t(TQStatusList*)> call;
    uint32_t code;
    int32_t message;  // 0: no status item
  };
  TQControlStruct* ctl = &c.control;
  std::vector<Case> cases = {
      {"get, empty schema",
       [&](TQStatusList* s) { return TQGetEntry(ctl, "", &badId, nullptr, nullptr, s); }, 2, -1},
      {"get, no ids",
       [&](TQStatusList* s) { return TQGetEntry(ctl, kForm, nullptr, nullptr, nullptr, s); }, 0, 0},
      {"set, no ids",
       [&](TQStatusList* s) { return TQSetEntry(ctl, kForm, nullptr, &values, 0, 0, s); }, 0, 0},
      {"get, empty id list",
       [&](TQStatusList* s) { return TQGetEntry(ctl, kForm, &noIds, nullptr, nullptr, s); }, 2,
       106},
      {"delete, no ids", [&](TQStatusList* s) { return TQDeleteEntry(ctl, kForm, nullptr, 0, s); },
       2, 106},
      {"delete, empty id list",
       [&](TQStatusList* s) { return TQDeleteEntry(ctl, kForm, &noIds, 0, s); }, 2, 106},
      {"merge, empty list",
       [&](TQStatusList* s) { return TQMergeEntry(ctl, kForm, &empty, 2, out, s); }, 2, -1},
      {"create, no schema",
       [&](TQStatusList* s) { return TQCreateEntry(ctl, nullptr, &values, out, s); }, 2, -1},
      {"create, attachment",
       [&](TQStatusList* s) { return TQCreateEntry(ctl, kForm, &attachList, out, s); }, 2, 8700},
      {"set, attachment file missing",
       [&](TQStatusList* s) {
         Ids i({"1"});
         TQEntryIdList l = i.list();
         return TQSetEntry(ctl, kForm, &l, &missingList, 0, 0, s);
       },
       2, 342},
      {"no status list",
       [&](TQStatusList*) { return TQCreateEntry(ctl, kForm, &values, out, nullptr); }, 4, 0},
      {"no control",
       [&](TQStatusList* s) { return TQCreateEntry(nullptr, kForm, &values, out, s); }, 2, 149},
  };
  for (Case& k : cases) {
    SCOPED_TRACE(k.what);
    std::memset(out, 'q', sizeof out);
    TQStatusList* status = c.fresh();
    EXPECT_EQ(k.call(status), k.code);
    if (k.message == 0) {
      EXPECT_EQ(status->numItems, 0u);
    }
    if (k.message > 0) {
      ASSERT_FALSE(numbers(*status).empty());
      EXPECT_EQ(numbers(*status)[0], k.message);
    }
    if (k.message < 0) {
      EXPECT_FALSE(numbers(*status).empty());
    }
  }
  EXPECT_EQ(entryCalls(), 0u);
}

// ------------------------------------------------------------ memory

// Many calls of every operation, with field 102 and old and new versions:
// run under memcheck by ctest (tq_entry_test_memcheck).
TEST(EntryMemory, LongSequenceOfCalls) {
  for (const char* version : {"6", "3"}) {
    TestServer server(demoServer(version));
    Client c;
    ASSERT_EQ(c.route(server.port()), 0u);
    for (int i = 0; i < 60; ++i) {
      Values v;
      v.text(kDescription, "round " + std::to_string(i))
          .text(kAccessCode, "pw" + std::to_string(i));
      const std::string id = create(c, v);
      ASSERT_FALSE(id.empty());
      Got got;
      ASSERT_EQ(get(c, id, &got), 0u);
      Values change;
      change.text(kAccessCode, std::string(30, 'c'));
      TQFieldValueList list = change.list();
      Ids ids({id});
      TQEntryIdList idList = ids.list();
      ASSERT_EQ(TQSetEntry(&c.control, kForm, &idList, &list, 0, 0, c.fresh()), 0u);
      Values merge;
      merge.text(1, id).text(kAccessCode, "m");
      list = merge.list();
      TQEntryIdType out;
      ASSERT_EQ(TQMergeEntry(&c.control, kForm, &list, 4, out, c.fresh()), 0u);
      Ids two({id, id});
      TQEntryIdList twoList = two.list();
      EXPECT_EQ(TQGetEntry(&c.control, kForm, &twoList, nullptr, nullptr, c.fresh()), 2u);
      EXPECT_EQ(TQDeleteEntry(&c.control, kForm, &idList, 0, c.fresh()), 0u);
      Got gone;
      EXPECT_EQ(get(c, id, &gone), 2u);
    }
  }
}

}  // namespace
