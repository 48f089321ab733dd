// Character-set numbers from names, locale codesets and locale names.
#include <gtest/gtest.h>

#include "share/i18n/mbutil.h"

namespace {

struct NameCase {
  const char* name;
  int charSet;
};

TEST(CharSetName, FirstMatchingPatternWins) {
  const NameCase cases[] = {
      {"EUC_TW", 10},  {"EUC_H", 10},       {"EUC_CN", 8},       {"EUC_ZH", 8},  {"EUC_KR", 13},
      {"EUC", 4},      {"EUC_JP", 4},       {"SJIS", 5},         {"JIS", 3},     {"GB2312", 7},
      {"BIG5", 9},     {"KSC_5601_87", 11}, {"KSC_5601_92", 12}, {"1250", 23},   {"CP1251", 24},
      {"1253", 25},    {"1258", 30},        {"1252", 0},         {"8859_2", 14}, {"ISO8859_5", 17},
      {"8859_10", 22}, {"8859_1", 0},       {"WESTERN", 0},      {"UTF8", 31},   {"UTF-8", 31},
      {"", 0},         {"sjis", 0},         {"X_SJIS_Y", 5},
  };
  for (const NameCase& c : cases)
    EXPECT_EQ(tqMbCharSetFromName(c.name), c.charSet) << c.name;
  EXPECT_EQ(tqMbCharSetFromName(nullptr), 0);
}

TEST(CharSetName, ServerReportsOnlyJapaneseSets) {
  const NameCase cases[] = {{"EUC", 4},   {"EUC-JP", 4}, {"SJIS", 5}, {"Shift_JIS", 0},
                            {"UTF-8", 0}, {"BIG5", 0},   {"", 0}};
  for (const NameCase& c : cases)
    EXPECT_EQ(tqMbServerCharSetFromName(c.name), c.charSet) << c.name;
  EXPECT_EQ(tqMbServerCharSetFromName(nullptr), 0);
}

struct CodesetCase {
  const char* codeset;
  int charSet;
  const char* name;
};

TEST(CharSetCodeset, MapsLocaleCodesetsToClientSets) {
  const CodesetCase cases[] = {
      {"SHIFT_JIS", 5, "SJIS"},
      {"SJIS", 5, "SJIS"},
      {"CP932", 5, "SJIS"},
      {"EUC-JP", 4, "EUC_J"},
      {"eucJP", 4, "EUC_J"},
      {"GB2312", 7, "GB2312"},
      {"GBK", 7, "GB2312"},
      {"BIG5", 9, "BIG5"},
      {"Big5", 9, "BIG5"},
      {"EUC-KR", 12, "KSC_5601_92"},
      {"CP1250", 23, "1250"},
      {"WINDOWS-1251", 24, "1251"},
      {"CP1252", 0, "WESTERN"},
      {"CP1253", 25, "1253"},
      {"CP1258", 30, "1258"},
      {"ISO-8859-1", 0, "WESTERN"},
      {"ISO-8859-2", 14, "8859_2"},
      {"ISO8859-5", 17, "8859_5"},
      {"ISO-8859-10", 22, "8859_10"},
      {"ISO-8859-15", 0, ""},
      {"UTF-8", 31, "UTF8"},
      {"utf8", 31, "UTF8"},
      {"ANSI_X3.4-1968", 0, ""},
      {"KOI8-R", 0, ""},
      {"", 0, ""},
  };
  for (const CodesetCase& c : cases) {
    EXPECT_EQ(tqMbCharSetFromCodeset(c.codeset), c.charSet) << c.codeset;
    EXPECT_STREQ(tqMbCharSetNameFromCodeset(c.codeset), c.name) << c.codeset;
    // The name selects the same set through the name table.
    EXPECT_EQ(tqMbCharSetFromName(c.name), c.charSet) << c.codeset;
  }
  EXPECT_EQ(tqMbCharSetFromCodeset(nullptr), 0);
}

struct LocaleCase {
  const char* locale;
  const char* codeset;  // NULL: taken from the name
  int charSet;
};

TEST(CharSetLocale, CurrentSetFromCodesetThenLanguage) {
  const LocaleCase cases[] = {
      {"ja_JP.SJIS", "SHIFT_JIS", 5},
      {"ja_JP", "EUC-JP", 4},
      {"ja_JP.UTF-8", "UTF-8", 31},
      {"en_US.UTF-8", "UTF-8", 31},
      {"zh_TW.Big5", "BIG5", 9},
      {"zh_HK.BIG5-HKSCS", "BIG5-HKSCS", 9},
      {"zh_CN.GB2312", "GB2312", 7},
      {"zh_SG.GBK", "GBK", 7},
      {"zh", "GB2312", 7},
      {"ko_KR.EUC-KR", "EUC-KR", 11},
      {"de_DE@euro", "ISO-8859-15", 0},
      {"C", "ANSI_X3.4-1968", 0},
      {"jam_JM", "ISO-8859-1", 0},
      {"", "", 0},
      // Locales that are not installed: the codeset comes from the name.
      {"ja_XX.SJIS", nullptr, 5},
      {"xx_YY.UTF-8@mod", nullptr, 31},
      {"xx_YY.eucJP", nullptr, 4},
  };
  for (const LocaleCase& c : cases) {
    EXPECT_EQ(tqMbCharSetFromLocale(c.locale, c.codeset), c.charSet) << c.locale;
  }
}

TEST(CharSetLocale, CodesetOfAnUninstalledLocaleComesFromItsName) {
  char codeset[16];
  tqMbLocaleCodeset("xx_YY.Some-Codeset@modifier", codeset, sizeof codeset);
  EXPECT_STREQ(codeset, "Some-Codeset");
  tqMbLocaleCodeset("xx_YY", codeset, sizeof codeset);
  EXPECT_STREQ(codeset, "");
  tqMbLocaleCodeset("xx_YY.AVeryLongCodesetName", codeset, 8);
  EXPECT_STREQ(codeset, "AVeryLo");
  // C is always there and knows its codeset.
  tqMbLocaleCodeset("C", codeset, sizeof codeset);
  EXPECT_STREQ(codeset, "ANSI_X3.4-1968");
}

TEST(CharSetKinds, MultibyteSetsAndLongestCharacters) {
  for (int set = 0; set <= 31; ++set) {
    bool multi = set == 3 || set == 4 || set == 5 || (set >= 7 && set <= 13) || set == 31;
    EXPECT_EQ(tqMbIsMultibyteSet(set), multi) << set;
  }
  EXPECT_EQ(tqMbMaxCharLen(4), 3);
  EXPECT_EQ(tqMbMaxCharLen(10), 4);
  EXPECT_EQ(tqMbMaxCharLen(31), 4);
  EXPECT_EQ(tqMbMaxCharLen(5), 2);
  EXPECT_EQ(tqMbMaxCharLen(0), 1);
}

}  // namespace
