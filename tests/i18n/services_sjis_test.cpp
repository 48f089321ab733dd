// The exported services in a process whose locale is Japanese Shift_JIS
// (LC_ALL=ja_JP.SJIS, set by the test registration; the locale need not be
// installed).
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "api/tqb_session.h"
#include "share/i18n/mbutil.h"
#include "tqlink_services.h"

namespace {

TEST(ServicesSjis, CurrentAndClientSetsComeFromTheLocale) {
  EXPECT_EQ(tqMbCurrentCharSet(), TQ_CHARSET_SJIS);
  EXPECT_EQ(tqMbClientCharSet(), TQ_CHARSET_SJIS);
}

TEST(ServicesSjis, SearchSkipsTrailBytes) {
  const char* text =
      "a\x95\x5C"
      "b\\c";
  EXPECT_EQ(TQMbStrChr(text, '\\'), text + 4);
  EXPECT_EQ(TQMbStrRChr(text, '\\'), text + 4);
  EXPECT_EQ(TQMbStrStr(text, "\\"), text + 4);
  EXPECT_EQ(TQMbStrCSpn(text, "\\"), 4u);
  EXPECT_EQ(TQMbStrChr("a\x95\x5C", '\\'), nullptr);
  EXPECT_EQ(TQMbCharLen(text + 1), 2);
  EXPECT_EQ(TQMbCharLen("\xB1"), 1);
}

TEST(ServicesSjis, SafeCopyZeroFillsAfterTheCut) {
  char dest[5];
  std::memset(dest, 'X', sizeof dest);
  EXPECT_EQ(TQMbSafeCopyCount(dest, "abc\x95\x5C", 4), 3u);
  EXPECT_EQ(std::string(dest, 5), std::string("abc\0X", 5));
  EXPECT_EQ(TQMbSafeCopy(dest, nullptr, 4), dest);
  EXPECT_EQ(std::string(dest, 4), std::string(4, '\0'));
}

TEST(ServicesSjis, CaseInsensitivePrefixCompare) {
  EXPECT_EQ(TQMbStrNICmp("ABC\x95\x5C", "abc\x95\x5C", 5), 0);
  EXPECT_NE(TQMbStrNICmp("ab", "abc", 3), 0);
  EXPECT_EQ(TQMbStrNICmp("abc", "ABd", 2), 0);
  EXPECT_LT(TQMbStrNICmp(nullptr, "a", 1), 0);
  EXPECT_EQ(TQMbStrNICmp(nullptr, nullptr, 1), 0);
}

TEST(ServicesSjis, ConvertsFromTheCurrentSet) {
  char dest[16];
  EXPECT_EQ(TQMbConvert(dest, sizeof dest, "a\xB1", TQ_CHARSET_EUC_JP), 3);
  EXPECT_STREQ(dest, "a\x8E\xB1");
  EXPECT_EQ(TQMbConvert(dest, sizeof dest, "\xB1", TQ_CHARSET_UTF8), 3);
  EXPECT_STREQ(dest, "\xEF\xBD\xB1");
  EXPECT_EQ(TQMbConvert(dest, 3, "\xB1\xB1", TQ_CHARSET_EUC_JP), -1);  // needs 5 bytes
  EXPECT_STREQ(dest, "");
  EXPECT_EQ(TQMbConvert(nullptr, 0, "a", TQ_CHARSET_EUC_JP), -1);
}

TEST(ServicesSjis, EncodedLengthOfKatakanaForAnEucServer) {
  TQSessionStruct session;
  session.clientCodePage = TQ_CHARSET_SJIS;
  session.serverCodePage = TQ_CHARSET_EUC_JP;
  tqSetCurrentSession(&session);
  EXPECT_EQ(TQMbEncodedLength("\xB1\xB2\xB3\xB4\xB5\xB6\xB7\xB8\xB9\xBA"), 20u);
  tqSetCurrentSession(nullptr);
  EXPECT_EQ(TQMbEncodedLength("\xB1"), 0u);
}

}  // namespace
