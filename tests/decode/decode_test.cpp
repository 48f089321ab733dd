// TQDecodeDiary and TQDecodeStatusHistory on encoded texts: items, empty
// parts, texts that are not runs of complete items, user names, times, and
// texts in multibyte character sets (run once per character set).
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "failing_malloc.h"
#include "session_fixture.h"
#include "share/i18n/mbcharset.h"
#include "tqlink.h"

namespace {

using tqsess::Client;
using tqsess::numbers;

struct DiaryItem {
  TQTimestamp time;
  std::string user;
  std::string value;
  bool operator==(const DiaryItem&) const = default;
};

struct HistoryItem {
  TQTimestamp time;
  std::string user;
  bool operator==(const HistoryItem&) const = default;
};

std::ostream& operator<<(std::ostream& out, const DiaryItem& d) {
  return out << "{" << d.time << ", \"" << d.user << "\", \"" << d.value << "\"}";
}
std::ostream& operator<<(std::ostream& out, const HistoryItem& h) {
  return out << "{" << h.time << ", \"" << h.user << "\"}";
}

std::vector<DiaryItem> itemsOf(const TQDiaryList& list) {
  std::vector<DiaryItem> out;
  for (uint32_t i = 0; i < list.numItems; ++i) {
    const TQDiaryStruct& d = list.diaryList[i];
    out.push_back({d.time, d.user, d.value != nullptr ? d.value : "<NULL>"});
  }
  return out;
}

std::vector<HistoryItem> itemsOf(const TQStatusHistoryList& list) {
  std::vector<HistoryItem> out;
  for (uint32_t i = 0; i < list.numItems; ++i) {
    out.push_back({list.statHistList[i].time, list.statHistList[i].user});
  }
  return out;
}

const std::string kUser40 = "abcdefghijklmnopqrstuvwxyz0123456789ABCD";
const std::string kUser30 = kUser40.substr(0, 30);

// When a row applies: every set, or one character set (the process's
// current one, chosen by the locale of the registration).
enum class In { kAll, kSjis, kEucJp, kUtf8 };

bool applies(In in) {
  switch (in) {
    case In::kAll:
      return true;
    case In::kSjis:
      return tqMbCurrentCharSet() == kTQCharSetSjis;
    case In::kEucJp:
      return tqMbCurrentCharSet() == kTQCharSetEucJp;
    case In::kUtf8:
      return tqMbCurrentCharSet() == kTQCharSetUtf8;
  }
  return false;
}

struct DiaryRow {
  In in;
  const char* name;
  std::string encoded;
  int32_t error;  // the message number, 0 for success
  std::vector<DiaryItem> items;
};

const std::vector<DiaryRow> kDiaryRows = {
    {In::kAll, "empty text", "", 0, {}},
    {In::kAll, "one item", "884019600\x04" "Demo\x04" "first entry\x03", 0,
     {{884019600, "Demo", "first entry"}}},
    {In::kAll, "three items", "1\x04" "a\x04" "x\x03" "2\x04" "b\x04" "y\x03" "3\x04" "c\x04" "z\x03",
     0, {{1, "a", "x"}, {2, "b", "y"}, {3, "c", "z"}}},
    {In::kAll, "empty text and user", "7\x04\x04\x03", 0, {{7, "", ""}}},
    {In::kAll, "0x04 inside the text", "1\x04u\x04" "a\x04" "b\x03", 0, {{1, "u", "a\x04" "b"}}},
    {In::kAll, "time not a number", "x1\x04u\x04t\x03", 0, {{0, "u", "t"}}},
    {In::kAll, "empty time", "\x04u\x04t\x03", 0, {{0, "u", "t"}}},
    {In::kAll, "negative time", "-5\x04u\x04t\x03", 0, {{-5, "u", "t"}}},
    {In::kAll, "time beyond 32 bits", "99999999999\x04u\x04t\x03", 0, {{INT32_MAX, "u", "t"}}},
    {In::kAll, "40-byte user", "1\x04" + kUser40 + "\x04t\x03", 0, {{1, kUser30, "t"}}},
    {In::kAll, "last item without its end", "1\x04u\x04" "a\x03" "2\x04u\x04" "b", 339, {}},
    {In::kAll, "one separator only", "1\x04u\x03", 339, {}},
    {In::kAll, "no separators", "garbage", 339, {}},
    {In::kAll, "a lone item end", "\x03", 339, {}},
    // A lead byte right before a separator is a character of its own: the
    // separator behind it is still found.
    {In::kAll, "lead byte before separators", "1\x04" "ab\x82\x04" "t\x82\x03", 0,
     {{1, "ab\x82", "t\x82"}}},
    // Texts of real multibyte characters come back byte for byte.
    {In::kSjis, "Shift_JIS text", "5\x04\x93\x63\x92\x86\x04\x83\x5c\x83\x74\x83\x67\x03", 0,
     {{5, "\x93\x63\x92\x86", "\x83\x5c\x83\x74\x83\x67"}}},
    {In::kEucJp, "EUC-JP text", "5\x04\xc5\xc4\xc3\xe6\x04\x8e\xb1\x8f\xa1\xa1\x03", 0,
     {{5, "\xc5\xc4\xc3\xe6", "\x8e\xb1\x8f\xa1\xa1"}}},
    {In::kUtf8, "UTF-8 text", "5\x04J\xc3\xb6rg\x04\xe6\x97\xa5\xe6\x9c\xac\x03", 0,
     {{5, "J\xc3\xb6rg", "\xe6\x97\xa5\xe6\x9c\xac"}}},
};

TEST(DecodeDiary, EncodedTexts) {
  Client c;
  ASSERT_EQ(c.initCode, 0u);
  for (const DiaryRow& row : kDiaryRows) {
    if (!applies(row.in)) continue;
    SCOPED_TRACE(row.name);
    TQDiaryList list{};
    EXPECT_EQ(TQDecodeDiary(&c.control, row.encoded.c_str(), &list, c.fresh()),
              row.error != 0 ? 2u : 0u);
    EXPECT_EQ(itemsOf(list), row.items);
    if (row.error != 0) {
      EXPECT_EQ(numbers(c.status), std::vector<int32_t>{row.error});
      EXPECT_EQ(list.diaryList, nullptr);
    }
    FreeTQDiaryList(&list, 0);
  }
}

struct HistoryRow {
  In in;
  const char* name;
  std::string encoded;
  int32_t error;
  std::vector<HistoryItem> items;
};

const std::vector<HistoryRow> kHistoryRows = {
    {In::kAll, "empty text", "", 0, {}},
    {In::kAll, "three values never set", "\x03\x03\x03", 0, {{0, ""}, {0, ""}, {0, ""}}},
    {In::kAll, "set, never set, set", "100\x04" "Demo\x03\x03" "200\x04" "Ann\x03", 0,
     {{100, "Demo"}, {0, ""}, {200, "Ann"}}},
    {In::kAll, "0x04 inside the user", "1\x04" "a\x04" "b\x03", 0, {{1, "a\x04" "b"}}},
    {In::kAll, "time not a number", "abc\x04u\x03", 0, {{0, "u"}}},
    {In::kAll, "40-byte user", "1\x04" + kUser40 + "\x03", 0, {{1, kUser30}}},
    {In::kAll, "no item end", "100\x04" "Demo", 340, {}},
    {In::kAll, "item without separator", "\x03" "100\x03", 340, {}},
    {In::kAll, "text not ending with an item end", "\x03\x03x", 340, {}},
    {In::kAll, "lead byte before separators", "1\x04\x82\x03\x03", 0, {{1, "\x82"}, {0, ""}}},
    {In::kSjis, "Shift_JIS user", "9\x04\x93\x63\x92\x86\x03", 0, {{9, "\x93\x63\x92\x86"}}},
    {In::kEucJp, "EUC-JP user", "9\x04\xc5\xc4\xc3\xe6\x03", 0, {{9, "\xc5\xc4\xc3\xe6"}}},
    {In::kUtf8, "UTF-8 user", "9\x04J\xc3\xb6rg\x03", 0, {{9, "J\xc3\xb6rg"}}},
};

TEST(DecodeStatusHistory, EncodedTexts) {
  Client c;
  ASSERT_EQ(c.initCode, 0u);
  for (const HistoryRow& row : kHistoryRows) {
    if (!applies(row.in)) continue;
    SCOPED_TRACE(row.name);
    TQStatusHistoryList list{};
    EXPECT_EQ(TQDecodeStatusHistory(&c.control, row.encoded.c_str(), &list, c.fresh()),
              row.error != 0 ? 2u : 0u);
    EXPECT_EQ(itemsOf(list), row.items);
    if (row.error != 0) {
      EXPECT_EQ(numbers(c.status), std::vector<int32_t>{row.error});
      EXPECT_EQ(list.statHistList, nullptr);
    }
    FreeTQStatusHistoryList(&list, 0);
  }
}

TEST(DecodeFrame, NullTextsMissingListsStatusesAndSessions) {
  Client c;
  ASSERT_EQ(c.initCode, 0u);
  TQDiaryList diary{};
  TQStatusHistoryList history{};
  EXPECT_EQ(TQDecodeDiary(&c.control, nullptr, &diary, c.fresh()), 0u);
  EXPECT_EQ(diary.numItems, 0u);
  EXPECT_EQ(TQDecodeStatusHistory(&c.control, nullptr, &history, c.fresh()), 0u);
  EXPECT_EQ(history.numItems, 0u);

  EXPECT_EQ(TQDecodeDiary(&c.control, "1\x04u\x04t\x03", nullptr, c.fresh()), 2u);
  EXPECT_EQ(numbers(c.status), std::vector<int32_t>{155});
  EXPECT_EQ(TQDecodeStatusHistory(&c.control, "\x03", nullptr, c.fresh()), 2u);
  EXPECT_EQ(numbers(c.status), std::vector<int32_t>{155});

  // The output is cleared even when the call cannot go on.
  diary.numItems = 9;
  history.numItems = 9;
  EXPECT_EQ(TQDecodeDiary(&c.control, "1\x04u\x04t\x03", &diary, nullptr), 4u);
  EXPECT_EQ(TQDecodeStatusHistory(&c.control, "\x03", &history, nullptr), 4u);
  EXPECT_EQ(diary.numItems, 0u);
  EXPECT_EQ(history.numItems, 0u);

  TQControlStruct ended = c.control;
  ASSERT_EQ(c.terminate(), 0u);
  EXPECT_EQ(TQDecodeDiary(&ended, "1\x04u\x04t\x03", &diary, c.fresh()), 3u);
  EXPECT_EQ(numbers(c.status), std::vector<int32_t>{161});
  EXPECT_EQ(TQDecodeStatusHistory(&ended, "\x03", &history, c.fresh()), 3u);
  EXPECT_EQ(diary.numItems, 0u);
  EXPECT_EQ(history.numItems, 0u);
}

// Every allocation of a decode, made to fail in turn: the call reports 154
// and leaves the list empty (the sanitizer build finds anything left over),
// or it succeeds with every item.
TEST(DecodeMemory, AllocationFailuresLeaveNothingBehind) {
  Client c;
  ASSERT_EQ(c.initCode, 0u);
  const char* diaryText = "1\x04" "a\x04" "x\x03" "2\x04" "b\x04" "y\x03" "3\x04" "c\x04" "z\x03";
  for (int n = 1;; ++n) {
    TQStatusList* status = c.fresh();
    TQDiaryList list{};
    failNthMalloc(n);
    const uint32_t code = TQDecodeDiary(&c.control, diaryText, &list, status);
    const bool failed = mallocFailureHappened();
    failNthMalloc(0);
    if (!failed) {
      EXPECT_EQ(code, 0u);
      EXPECT_EQ(list.numItems, 3u);
      FreeTQDiaryList(&list, 0);
      break;
    }
    EXPECT_EQ(code, 2u) << n;
    EXPECT_EQ(numbers(*status), std::vector<int32_t>{154}) << n;
    EXPECT_EQ(list.numItems, 0u) << n;
    EXPECT_EQ(list.diaryList, nullptr) << n;
  }
  for (int n = 1;; ++n) {
    TQStatusList* status = c.fresh();
    TQStatusHistoryList list{};
    failNthMalloc(n);
    const uint32_t code = TQDecodeStatusHistory(&c.control, "1\x04u\x03\x03", &list, status);
    const bool failed = mallocFailureHappened();
    failNthMalloc(0);
    if (!failed) {
      EXPECT_EQ(code, 0u);
      EXPECT_EQ(list.numItems, 2u);
      FreeTQStatusHistoryList(&list, 0);
      break;
    }
    EXPECT_EQ(code, 2u) << n;
    EXPECT_EQ(numbers(*status), std::vector<int32_t>{154}) << n;
    EXPECT_EQ(list.numItems, 0u) << n;
  }
}

}  // namespace
