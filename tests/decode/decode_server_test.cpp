// The decoders on what the reference server writes: a diary field written
// three times and a status changed twice, read back with TQGetEntry.
#include <gtest/gtest.h>

#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "session_fixture.h"
#include "tq_test_server.h"
#include "tqlink.h"

namespace {

using tqsess::Client;
using tqsess::numbers;
using tqtest::TestServer;

constexpr const char* kForm = "Demo:Request";
constexpr uint32_t kStatus = 7;
constexpr uint32_t kStatusHistory = 15;
constexpr uint32_t kWorkLog = 536870913;  // a diary field
constexpr uint32_t kNew = 0, kClosed = 2;

TQFieldValueStruct diaryValue(const char* text) {
  TQFieldValueStruct item{};
  item.fieldId = kWorkLog;
  item.value.dataType = TQ_DATA_TYPE_DIARY;
  item.value.u.diaryVal = const_cast<char*>(text);
  return item;
}

TQFieldValueStruct statusValue(uint32_t value) {
  TQFieldValueStruct item{};
  item.fieldId = kStatus;
  item.value.dataType = TQ_DATA_TYPE_ENUM;
  item.value.u.enumVal = value;
  return item;
}

TEST(DecodeServer, DiaryWrittenThreeTimesAndStatusChangedTwice) {
  TestServer server({"--forms", TQ_DEMO_FORMS});
  Client c;
  ASSERT_EQ(c.route(server.port()), 0u);
  const TQTimestamp before = static_cast<TQTimestamp>(time(nullptr));

  std::vector<TQFieldValueStruct> create = {diaryValue("Printer jams"), statusValue(kNew)};
  TQFieldValueList createList{static_cast<uint32_t>(create.size()), create.data()};
  TQEntryIdType id{};
  ASSERT_EQ(TQCreateEntry(&c.control, kForm, &createList, id, c.fresh()), 0u);
  TQEntryIdList ids{1, &id};

  // The status goes New -> Closed -> New; Open is never set.
  for (auto [text, status] : {std::pair{"Paper removed", kClosed}, {"Jams again", kNew}}) {
    std::vector<TQFieldValueStruct> change = {diaryValue(text), statusValue(status)};
    TQFieldValueList changeList{static_cast<uint32_t>(change.size()), change.data()};
    ASSERT_EQ(TQSetEntry(&c.control, kForm, &ids, &changeList, 0, 0, c.fresh()), 0u) << text;
  }
  const TQTimestamp after = static_cast<TQTimestamp>(time(nullptr));

  uint32_t wanted[] = {kWorkLog, kStatusHistory};
  TQInternalIdList wantedList{2, wanted};
  TQFieldValueList values{};
  ASSERT_EQ(TQGetEntry(&c.control, kForm, &ids, &wantedList, &values, c.fresh()), 0u);
  ASSERT_EQ(values.numItems, 2u);
  ASSERT_EQ(values.fieldValueList[0].value.dataType, TQ_DATA_TYPE_DIARY);
  ASSERT_EQ(values.fieldValueList[1].value.dataType, TQ_DATA_TYPE_CHAR);

  TQDiaryList diary{};
  ASSERT_EQ(TQDecodeDiary(&c.control, values.fieldValueList[0].value.u.diaryVal, &diary,
                          c.fresh()),
            0u);
  ASSERT_EQ(diary.numItems, 3u);
  const char* texts[] = {"Printer jams", "Paper removed", "Jams again"};
  for (uint32_t i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    EXPECT_STREQ(diary.diaryList[i].value, texts[i]);
    EXPECT_STREQ(diary.diaryList[i].user, "Demo");
    EXPECT_GE(diary.diaryList[i].time, before);
    EXPECT_LE(diary.diaryList[i].time, after);
    if (i > 0) {
      EXPECT_GE(diary.diaryList[i].time, diary.diaryList[i - 1].time);
    }
  }

  TQStatusHistoryList history{};
  ASSERT_EQ(TQDecodeStatusHistory(&c.control, values.fieldValueList[1].value.u.charVal,
                                  &history, c.fresh()),
            0u);
  ASSERT_EQ(history.numItems, 3u);  // one item per value: New, Open, Closed
  EXPECT_STREQ(history.statHistList[kNew].user, "Demo");
  EXPECT_STREQ(history.statHistList[1].user, "");
  EXPECT_EQ(history.statHistList[1].time, 0);
  EXPECT_STREQ(history.statHistList[kClosed].user, "Demo");
  EXPECT_GE(history.statHistList[kClosed].time, before);
  // New was set again after Closed.
  EXPECT_GE(history.statHistList[kNew].time, history.statHistList[kClosed].time);
  EXPECT_LE(history.statHistList[kNew].time, after);

  FreeTQDiaryList(&diary, 0);
  FreeTQStatusHistoryList(&history, 0);
  FreeTQFieldValueList(&values, 0);
}

}  // namespace
