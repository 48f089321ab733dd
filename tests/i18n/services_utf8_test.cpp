// The exported services in a process with a UTF-8 locale (LC_ALL=C.UTF-8,
// set by the test registration).
#include <gtest/gtest.h>

#include <string>

#include "share/i18n/mbutil.h"
#include "tqlink_services.h"

namespace {

TEST(ServicesUtf8, Utf8LocaleMakesUtf8TheCurrentAndClientSet) {
  EXPECT_EQ(tqMbCurrentCharSet(), TQ_CHARSET_UTF8);
  EXPECT_EQ(tqMbClientCharSet(), TQ_CHARSET_UTF8);
}

TEST(ServicesUtf8, CharactersAreWholeSequences) {
  const char* text =
      "\xE3\x81\x82"
      "a\xF0\x9F\x98\x80";
  EXPECT_EQ(TQMbCharLen(text), 3);
  EXPECT_EQ(TQMbCharLen(text + 4), 4);
  EXPECT_EQ(TQMbStrChr(text, 0x82), nullptr);
  EXPECT_EQ(TQMbStrChr(text, 'a'), text + 3);
  char dest[6];
  EXPECT_EQ(TQMbSafeCopyCount(dest, text, 6), 4u);
  EXPECT_EQ(std::string(dest, 6), std::string("\xE3\x81\x82"
                                              "a\0\0",
                                              6));
}

TEST(ServicesUtf8, ConvertsToTheJapaneseServerSets) {
  char dest[16];
  EXPECT_EQ(TQMbConvert(dest, sizeof dest,
                        "\xE3\x81\x82"
                        "a",
                        TQ_CHARSET_EUC_JP),
            3);
  EXPECT_STREQ(dest,
               "\xA4\xA2"
               "a");
  EXPECT_EQ(TQMbConvert(dest, sizeof dest,
                        "\xE3\x81\x82"
                        "a",
                        TQ_CHARSET_SJIS),
            3);
  EXPECT_STREQ(dest,
               "\x82\xA0"
               "a");
  // No conversion towards a server without a Japanese set.
  EXPECT_EQ(TQMbConvert(dest, sizeof dest, "\xE3\x81\x82", TQ_CHARSET_NONE), 3);
  EXPECT_STREQ(dest, "\xE3\x81\x82");
}

}  // namespace
