// Server-setting, statistics and full-text request and setting lists, and
// the export and import item lists.
#include <vector>

#include "parmchck_fixture.h"

namespace {

// Every bad item is recorded, newest first, each with its code appended.
struct Recorded {
  int32_t number;
  const char* appended;
};

void expectRecorded(uint32_t result, const Status& s, const std::vector<Recorded>& want) {
  EXPECT_EQ(result, want.empty() ? 0u : 2u);
  ASSERT_EQ(s.numbers().size(), want.size());
  for (size_t i = 0; i < want.size(); ++i) {
    EXPECT_EQ(s.numbers()[i], want[i].number) << i;
    EXPECT_EQ(s.appended(static_cast<uint32_t>(i)), want[i].appended) << i;
  }
}

TEST(ParmchckServer, ServerInfoRequests) {
  uint32_t codes[] = {1, 0, 102, 103, 10};
  TQServerInfoRequestList list{5, codes};
  Status s;
  expectRecorded(tqCheckServerInfoRequestList(&list, s.get()), s,
                 {{kTQErrServerInfoNotReadable, "10"},
                  {kTQErrBadServerInfoCode, "103"},
                  {kTQErrBadServerInfoCode, "0"}});
  TQServerInfoRequestList empty{0, nullptr};
  Status e;
  EXPECT_TRUE(Outcome(tqCheckServerInfoRequestList(&empty, e.get()), e, {kTQErrNoRequests}));
}

TEST(ParmchckServer, StatisticsRequests) {
  uint32_t codes[] = {1, 62, 63};
  TQServerInfoRequestList list{3, codes};
  Status s;
  expectRecorded(tqCheckServerStatisticsRequestList(&list, s.get()), s,
                 {{kTQErrBadStatisticsCode, "63"}});
}

TQServerInfoStruct info(uint32_t code, uint32_t dataType) {
  TQServerInfoStruct i{};
  i.operation = code;
  i.value.dataType = dataType;
  return i;
}

TEST(ParmchckServer, ServerInfoSettings) {
  std::vector<TQServerInfoStruct> good = {info(5, 2), info(102, 0), info(10, 4), info(98, 4)};
  TQServerInfoList list{static_cast<uint32_t>(good.size()), good.data()};
  Status ok;
  expectRecorded(tqCheckServerInfoList(&list, ok.get()), ok, {});

  std::vector<TQServerInfoStruct> bad = {info(1, 2),  info(91, 2),  info(5, 4), info(10, 2),
                                         info(96, 2), info(101, 0), info(0, 0), info(103, 2)};
  TQServerInfoList badList{static_cast<uint32_t>(bad.size()), bad.data()};
  Status s;
  expectRecorded(tqCheckServerInfoList(&badList, s.get()), s,
                 {{kTQErrBadServerInfoCode, "103"},
                  {kTQErrBadServerInfoCode, "0"},
                  {kTQErrBadServerInfoCode, "101"},
                  {kTQErrBadServerInfoCode, "96"},
                  {kTQErrBadServerInfoValue, "10"},
                  {kTQErrBadServerInfoValue, "5"},
                  {kTQErrServerInfoNotSettable, "91"},
                  {kTQErrServerInfoNotSettable, "1"}});
  Status e;
  EXPECT_TRUE(Outcome(tqCheckServerInfoList(nullptr, e.get()), e, {kTQErrNoServerInfo}));
}

TEST(ParmchckServer, FullTextRequests) {
  uint32_t codes[] = {0, 8, 9};
  TQFullTextInfoRequestList list{3, codes};
  Status s;
  expectRecorded(tqCheckFullTextInfoRequestList(&list, s.get()), s,
                 {{kTQErrBadFullTextCode, "9"}, {kTQErrBadFullTextCode, "0"}});
}

TQFullTextInfoStruct fullText(uint32_t code, uint32_t dataType, int32_t v = 0) {
  TQFullTextInfoStruct i{};
  i.infoType = code;
  i.u.value.dataType = dataType;
  i.u.value.u.intVal = v;
  return i;
}

TEST(ParmchckServer, FullTextSettings) {
  static TQValueStruct words[2];
  words[0].dataType = words[1].dataType = TQ_DATA_TYPE_CHAR;
  words[0].u.charVal = const_cast<char*>("the");
  words[1].u.charVal = const_cast<char*>("a");
  TQFullTextInfoStruct list2{};
  list2.infoType = TQ_FULLTEXT_INFO_VALUE_LIST;
  list2.u.valueList = {2, words};
  std::vector<TQFullTextInfoStruct> good = {fullText(1, 4),    fullText(1, 0),    list2,
                                            fullText(3, 2, 1), fullText(4, 2, 0), fullText(5, 2, 1),
                                            fullText(6, 2, 4), fullText(6, 0)};
  good[0].u.value.u.charVal = const_cast<char*>("dir");
  TQFullTextInfoList list{static_cast<uint32_t>(good.size()), good.data()};
  Status ok;
  expectRecorded(tqCheckFullTextInfoList(&list, ok.get()), ok, {});

  static TQValueStruct emptyWord[1];
  emptyWord[0].dataType = TQ_DATA_TYPE_CHAR;
  emptyWord[0].u.charVal = const_cast<char*>("");
  TQFullTextInfoStruct badList2{};
  badList2.infoType = TQ_FULLTEXT_INFO_VALUE_LIST;
  badList2.u.valueList = {1, emptyWord};
  std::vector<TQFullTextInfoStruct> bad = {fullText(1, 2),    badList2,          fullText(3, 2, 2),
                                           fullText(4, 2, 2), fullText(6, 2, 5), fullText(7, 0)};
  TQFullTextInfoList badList{static_cast<uint32_t>(bad.size()), bad.data()};
  Status s;
  expectRecorded(tqCheckFullTextInfoList(&badList, s.get()), s,
                 {{kTQErrBadFullTextCode, "7"},
                  {kTQErrBadFullTextValue, "6"},
                  {kTQErrBadFullTextValue, "4"},
                  {kTQErrBadFullTextValue, "3"},
                  {kTQErrBadFullTextValue, "2"},
                  {kTQErrBadFullTextValue, "1"}});
  Status e;
  EXPECT_TRUE(Outcome(tqCheckFullTextInfoList(nullptr, e.get()), e, {kTQErrNoFullTextInfo}));
}

TEST(ParmchckServer, StructItems) {
  struct Case {
    uint32_t type;
    bool exportOk;
    bool importOk;
  } cases[] = {{0, false, false}, {1, true, true},    {2, true, false},   {3, true, false},
               {4, true, false},  {5, true, true},    {10, true, true},   {11, true, true},
               {12, true, true},  {13, false, false}, {103, true, false}, {104, false, false}};
  for (const Case& c : cases) {
    for (TQBoolean import : {0, 1}) {
      TQStructItemStruct item{c.type, "Orders"};
      TQStructItemList list{1, &item};
      Status s;
      uint32_t result = tqCheckStructItemList(&list, 0, import, s.get());
      bool ok = import ? c.importOk : c.exportOk;
      if (ok) {
        EXPECT_TRUE(Outcome(result, s, {})) << c.type << " import " << int(import);
      } else {
        EXPECT_TRUE(Outcome(result, s, {kTQErrBadStructItem, kTQErrBadStructItemType}))
            << c.type << " import " << int(import);
        EXPECT_EQ(s.appended(1), std::to_string(c.type));
      }
    }
  }
  TQStructItemStruct unnamed{1, ""};
  TQStructItemList list{1, &unnamed};
  Status n;
  EXPECT_TRUE(Outcome(tqCheckStructItemList(&list, 0, 0, n.get()), n,
                      {kTQErrBadStructItem, kTQErrNameMissing}));
  Status e, i;
  EXPECT_TRUE(Outcome(tqCheckStructItemList(nullptr, 0, 0, e.get()), e, {kTQErrNoStructItems}));
  EXPECT_TRUE(Outcome(tqCheckStructItemList(nullptr, 0, 1, i.get()), i, {}));
}

}  // namespace
