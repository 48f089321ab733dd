// Appending statuses: severity order, message texts by number, text limits,
// and an unchanged list when memory runs out.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include "failing_malloc.h"
#include "share/apisrv/error.h"
#include "status_fixture.h"

namespace {

constexpr uint32_t kNote = TQ_MSG_NOTE;
constexpr uint32_t kWarning = TQ_MSG_WARNING;
constexpr uint32_t kError = TQ_MSG_ERROR;

struct StatusListTest : testing::Test {
  TQStatusList list{};
  ~StatusListTest() override { releaseStatusList(list); }
};

TEST_F(StatusListTest, NewItemGoesAheadOfItsTypeAndBehindMoreSevereOnes) {
  EXPECT_EQ(TQAppendStatus(&list, kNote, 10, nullptr), kNote);
  EXPECT_EQ(TQAppendStatus(&list, kWarning, 11, nullptr), kWarning);
  EXPECT_EQ(TQAppendStatus(&list, kError, 12, nullptr), kError);
  ASSERT_EQ(typesAndNumbers(list),
            (std::vector<TypeAndNumber>{{kError, 12}, {kWarning, 11}, {kNote, 10}}));

  EXPECT_EQ(TQAppendStatus(&list, kWarning, 13, nullptr), kError);
  EXPECT_EQ(typesAndNumbers(list), (std::vector<TypeAndNumber>{
                                       {kError, 12}, {kWarning, 13}, {kWarning, 11}, {kNote, 10}}));

  // A type above every listed one (compared unsigned) goes first.
  EXPECT_EQ(TQAppendStatus(&list, 3, 14, nullptr), 3u);
  EXPECT_EQ(list.statusList[0].messageNumber, 14);
  EXPECT_EQ(list.numItems, 5u);
}

// Many appends of mixed types, onto a list whose array the caller made with
// exactly its two items, keep the order of a list built item by item: by
// type, highest first, the newest first within a type.
TEST_F(StatusListTest, LongListsKeepTheOrderWhileTheArrayGrows) {
  list.numItems = 2;
  list.statusList = static_cast<TQStatusStruct*>(malloc(2 * sizeof(TQStatusStruct)));
  ASSERT_NE(list.statusList, nullptr);
  list.statusList[0] = TQStatusStruct{kWarning, 1, strdup("one"), nullptr};
  list.statusList[1] = TQStatusStruct{kNote, 2, strdup("two"), nullptr};
  std::vector<TypeAndNumber> expected = {{kWarning, 1}, {kNote, 2}};

  const uint32_t types[] = {kNote, kError, kWarning, kWarning, kNote, kError, kNote};
  for (int32_t number = 10; number < 3000; ++number) {
    const uint32_t type = types[number % std::size(types)];
    auto place = std::find_if(expected.begin(), expected.end(),
                              [&](const TypeAndNumber& item) { return item.first <= type; });
    expected.insert(place, TypeAndNumber{type, number});
    ASSERT_EQ(TQAppendStatus(&list, type, number, nullptr), expected.front().first) << number;
  }
  EXPECT_EQ(typesAndNumbers(list), expected);
}

TEST_F(StatusListTest, MessageTextComesFromTheCatalogForNumbersOneTo9999) {
  struct Case {
    int32_t number;
    std::string text;
  };
  const Case cases[] = {
      {154, "Out of memory"},
      {9999, "Message not in catalog; Message number = 9999"},
      {0, ""},
      {10000, ""},
      {-154, ""},
  };
  for (const Case& c : cases) {
    releaseStatusList(list);
    TQAppendStatus(&list, kError, c.number, "x");
    ASSERT_EQ(list.numItems, 1u);
    ASSERT_NE(list.statusList[0].messageText, nullptr) << c.number;
    EXPECT_EQ(std::string(list.statusList[0].messageText), c.text) << c.number;
    EXPECT_EQ(list.statusList[0].messageNumber, c.number);
  }
}

TEST_F(StatusListTest, AppendedTextIsCopiedAndCutTo255Bytes) {
  const std::string longAscii(300, 'a');
  // 150 two-byte characters: byte 255 is the middle of a character.
  std::string longUtf8;
  for (int i = 0; i < 150; ++i)
    longUtf8 += "\xC3\xA4";
  char caller[] = "file.txt";

  TQAppendStatus(&list, kError, 301, nullptr);
  TQAppendStatus(&list, kError, 301, "");
  TQAppendStatus(&list, kError, 301, longAscii.c_str());
  TQAppendStatus(&list, kError, 301, longUtf8.c_str());
  TQAppendStatus(&list, kError, 301, caller);
  caller[0] = 'X';
  ASSERT_EQ(list.numItems, 5u);

  // Newest first.
  EXPECT_STREQ(list.statusList[0].appendedText, "file.txt");
  EXPECT_EQ(std::string(list.statusList[1].appendedText), longUtf8.substr(0, 254));
  EXPECT_EQ(std::string(list.statusList[2].appendedText), longAscii.substr(0, 255));
  ASSERT_NE(list.statusList[3].appendedText, nullptr);
  EXPECT_STREQ(list.statusList[3].appendedText, "");
  EXPECT_EQ(list.statusList[4].appendedText, nullptr);
}

TEST_F(StatusListTest, NumberIsAppendedAsUnsignedDecimal) {
  TQAppendStatusNumber(&list, kError, 123, 4294967295u);
  TQAppendStatusNumber(&list, kError, 123, 0);
  ASSERT_EQ(list.numItems, 2u);
  EXPECT_STREQ(list.statusList[0].appendedText, "0");
  EXPECT_STREQ(list.statusList[1].appendedText, "4294967295");
}

TEST_F(StatusListTest, LookupKeepsTheCallersErrno) {
  // 9999 is missing from the catalog, which makes the lookup itself fail.
  errno = EACCES;
  TQAppendStatus(&list, kError, 9999, nullptr);
  EXPECT_EQ(errno, EACCES);
}

TEST_F(StatusListTest, MissingListReturnsFour) {
  EXPECT_EQ(TQAppendStatus(nullptr, kError, 154, nullptr), uint32_t{TQ_RETURN_BAD_STATUS});
}

TEST_F(StatusListTest, OutOfMemoryReturnsThreeAndLeavesTheListAsItWas) {
  TQAppendStatus(&list, kWarning, 50, "kept");
  const TQStatusStruct* before = list.statusList;
  // The item array, the message text and the appended text are three blocks.
  for (int n = 1; n <= 3; ++n) {
    failNthMalloc(n);
    EXPECT_EQ(TQAppendStatus(&list, kError, 154, "lost"), uint32_t{TQ_RETURN_FATAL}) << n;
    EXPECT_TRUE(mallocFailureHappened()) << n;
    failNthMalloc(0);
    ASSERT_EQ(list.numItems, 1u);
    EXPECT_EQ(list.statusList, before);
    EXPECT_STREQ(list.statusList[0].appendedText, "kept");
  }
  EXPECT_EQ(TQAppendStatus(&list, kError, 154, nullptr), kError);
  EXPECT_EQ(list.numItems, 2u);
}

}  // namespace
