// Finding, loading and reading the message catalog: language choice from the
// locale variables, the catalog folder, a missing catalog or message, long
// texts, a program's own catalog, and concurrent first lookups.
#include <gtest/gtest.h>
#include <nl_types.h>

#include <string>
#include <thread>
#include <vector>

#include "api/tqb_catalog.h"
#include "catalog_fixture.h"
#include "share/apisrv/error.h"
#include "status_fixture.h"

namespace {

using Lines = std::vector<std::string>;
using Environment = std::vector<std::pair<std::string, std::string>>;

std::string messageText(int32_t number) {
  char buffer[kTQMessageBufferSize];
  return TQMessageText(number, buffer);
}

TEST(CatalogLanguages, FallBackToTheFirstTwoLettersThenEnglish) {
  struct Case {
    const char* locale;
    std::vector<std::string> languages;
  };
  const Case cases[] = {
      {"de_DE.UTF-8", {"de_DE", "de", "en"}},
      {"sr_RS@latin", {"sr_RS", "sr", "en"}},
      {"de", {"de", "en"}},
      {"deu", {"deu", "de", "en"}},
      {"en_US.UTF-8", {"en_US", "en"}},
      {"enu", {"en"}},
      {"English_United States.1252", {"en"}},
      {"C", {"en"}},
      {"C.UTF-8", {"en"}},
      {"POSIX", {"en"}},
      {"cs_CZ.UTF-8", {"cs_CZ", "cs", "en"}},
      {"", {"en"}},
      {"de/../../etc", {"en"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(tqCatalogLanguages(c.locale), c.languages) << c.locale;
  }
}

TEST(CatalogLanguages, LocaleVariablesArePickedInOrder) {
  const Lines lines = runInChild([] {
    Lines out;
    setCatalogEnvironment({{"LANG", "fr_FR"}});
    out.push_back(tqCatalogLocaleName());
    setCatalogEnvironment({{"LANG", "fr_FR"}, {"LC_MESSAGES", "de_DE"}});
    out.push_back(tqCatalogLocaleName());
    setCatalogEnvironment({{"LANG", "fr_FR"}, {"LC_MESSAGES", "de_DE"}, {"LC_ALL", "it_IT"}});
    out.push_back(tqCatalogLocaleName());
    setCatalogEnvironment({{"LANG", "fr_FR"}, {"LC_ALL", ""}});
    out.push_back(tqCatalogLocaleName());
    setCatalogEnvironment({});
    out.push_back(tqCatalogLocaleName());
    return out;
  });
  EXPECT_EQ(lines, (Lines{"fr_FR", "de_DE", "it_IT", "fr_FR", ""}));
}

TEST(CatalogDirectories, CatalogDirVariableReplacesTheBuiltInFolders) {
  const Lines lines = runInChild([] {
    setCatalogEnvironment({{"TQCATALOGDIR", "/somewhere"}});
    Lines out = tqCatalogDirectories();
    setCatalogEnvironment({});
    for (const std::string& dir : tqCatalogDirectories())
      out.push_back(dir);
    return out;
  });
  EXPECT_EQ(lines, (Lines{"/somewhere", TQ_INSTALL_CATALOG_DIR, TQ_BUILD_CATALOG_DIR}));
}

struct TranslatedCatalogTest : testing::Test {
  TempDir dir;
  void SetUp() override {
    writeCatalog(dir.path, "en", "$set 1\n2 \"english\"\n");
    writeCatalog(dir.path, "de",
                 "$set 1\n1 \"Meldung fehlt im Katalog; Nummer = \"\n2 \"deutsch\"\n"
                 "154 \"Kein Speicher mehr\"\n");
    writeCatalog(dir.path, "de_AT", "$set 1\n2 \"\xC3\xB6sterreichisch\"\n");
  }

  // Message 2 as seen by a process with the given locale variables.
  std::string textFor(Environment environment) {
    environment.emplace_back("TQCATALOGDIR", dir.path);
    const Lines lines = runInChild([&] {
      setCatalogEnvironment(environment);
      return Lines{messageText(2)};
    });
    return lines.empty() ? "(no answer)" : lines.front();
  }
};

TEST_F(TranslatedCatalogTest, LocaleChoosesTheLanguage) {
  struct Case {
    Environment environment;
    std::string text;
  };
  const Case cases[] = {
      {{{"LANG", "de_DE.UTF-8"}}, "deutsch"},
      {{{"LANG", "de_AT.UTF-8@euro"}}, "\xC3\xB6sterreichisch"},
      {{{"LANG", "fr_FR.UTF-8"}}, "english"},
      {{{"LANG", "C.UTF-8"}}, "english"},
      {{}, "english"},
      {{{"LANG", "fr_FR"}, {"LC_MESSAGES", "de_AT"}}, "\xC3\xB6sterreichisch"},
      {{{"LC_MESSAGES", "fr_FR"}, {"LC_ALL", "de_CH"}}, "deutsch"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(textFor(c.environment), c.text) << testing::PrintToString(c.environment);
  }
}

TEST_F(TranslatedCatalogTest, StatusTextsComeFromTheChosenLanguage) {
  const Lines lines = runInChild([&] {
    setCatalogEnvironment({{"TQCATALOGDIR", dir.path}, {"LANG", "de_DE.UTF-8"}});
    TQStatusList list{};
    TQAppendStatus(&list, TQ_MSG_ERROR, 9999, nullptr);
    TQAppendStatus(&list, TQ_MSG_ERROR, 154, nullptr);
    Lines out{list.statusList[0].messageText, list.statusList[1].messageText};
    releaseStatusList(list);
    return out;
  });
  EXPECT_EQ(lines, (Lines{"Kein Speicher mehr", "Meldung fehlt im Katalog; Nummer = 9999"}));
}

TEST(MissingCatalog, EveryTextSaysSoAndCallsGoOn) {
  TempDir empty;
  const Lines lines = runInChild([&] {
    setCatalogEnvironment({{"TQCATALOGDIR", empty.path}, {"LANG", "de_DE.UTF-8"}});
    TQStatusList list{};
    const uint32_t top = TQAppendStatus(&list, TQ_MSG_ERROR, 154, "name");
    char* text = TQGetTextForErrorMessage(90);
    Lines out{std::to_string(top), list.statusList[0].messageText, shown(text),
              shown(TQCatalogText(kTQCatalogSetEnvironment, 84))};
    free(text);
    releaseStatusList(list);
    return out;
  });
  EXPECT_EQ(lines, (Lines{"2", "Cannot open catalog; Message number = 154",
                          "Cannot open catalog; Message number = 90", "(null)"}));
}

TEST(MissingCatalog, LaterLookupsTryAgain) {
  TempDir dir;
  const Lines lines = runInChild([&] {
    setCatalogEnvironment({{"TQCATALOGDIR", dir.path}});
    Lines out{messageText(2), shown(TQCatalogText(kTQCatalogSetKeywords, 829))};
    writeCatalog(dir.path, "en", "$set 1\n2 \"found\"\n$set 2\n829 \"NIL\"\n");
    out.push_back(messageText(2));
    out.push_back(shown(TQCatalogText(kTQCatalogSetKeywords, 829)));
    return out;
  });
  EXPECT_EQ(lines, (Lines{"Cannot open catalog; Message number = 2", "(null)", "found", "NIL"}));
}

TEST(MissingMessage, BuiltInTemplateWhenTheCatalogLacksMessageOne) {
  TempDir dir;
  writeCatalog(dir.path, "en", "$set 1\n2 \"two\"\n3 \"\"\n");
  const Lines lines = runInChild([&] {
    setCatalogEnvironment({{"TQCATALOGDIR", dir.path}});
    return Lines{messageText(2), messageText(3), messageText(4),
                 shown(TQCatalogText(kTQCatalogSetMessages, 3))};
  });
  EXPECT_EQ(lines, (Lines{"two", "Message not in catalog; Message number = 3",
                          "Message not in catalog; Message number = 4", "(null)"}));
}

TEST(LongCatalogTexts, AreCutTo255BytesAtACharacterBoundary) {
  // 150 two-byte characters: byte 255 is the middle of a character.
  std::string umlauts;
  for (int i = 0; i < 150; ++i)
    umlauts += "\xC3\xA4";
  TempDir dir;
  writeCatalog(dir.path, "en", "$set 1\n2 \"" + umlauts + "\"\n$set 2\n5 \"" + umlauts + "\"\n");
  const Lines lines = runInChild([&] {
    setCatalogEnvironment({{"TQCATALOGDIR", dir.path}});
    return Lines{messageText(2), shown(TQCatalogText(kTQCatalogSetKeywords, 5))};
  });
  EXPECT_EQ(lines, (Lines{umlauts.substr(0, 254), umlauts.substr(0, 254)}));
}

TEST(LongCatalogTexts, NumberFollowsTheTemplateOnlyWhileItIsShorterThan243Bytes) {
  struct Case {
    size_t templateLength;
    std::string suffix;
  };
  const Case cases[] = {{242, "77"}, {243, ""}, {300, ""}};
  for (const Case& c : cases) {
    const std::string missing(c.templateLength, 'T');
    TempDir dir;
    writeCatalog(dir.path, "en", "$set 1\n1 \"" + missing + "\"\n");
    const Lines lines = runInChild([&] {
      setCatalogEnvironment({{"TQCATALOGDIR", dir.path}});
      return Lines{messageText(77)};
    });
    const std::string kept = missing.substr(0, kTQMaxStatusText);
    EXPECT_EQ(lines, (Lines{kept + c.suffix})) << c.templateLength;
  }
}

TEST(CatalogDescriptor, ProgramsOwnCatalogIsReadAndLeftOpen) {
  TempDir own;
  TempDir empty;
  writeCatalog(own.path, "xx", "$set 1\n2 \"own two\"\n$set 255\n84 \"MYRPC\"\n");
  const Lines lines = runInChild([&] {
    setCatalogEnvironment({{"TQCATALOGDIR", empty.path}});
    Lines out{std::to_string(TQCatalogDescriptor)};
    const std::string path = own.path + "/xx/tqmessages.cat";
    nl_catd catalog = catopen(path.c_str(), 0);
    TQCatalogDescriptor = reinterpret_cast<intptr_t>(catalog);
    out.push_back(messageText(2));
    out.push_back(shown(TQCatalogText(kTQCatalogSetEnvironment, 84)));
    // Still open: the program reads it itself afterwards.
    out.push_back(catgets(catalog, 1, 2, "closed"));
    TQCatalogDescriptor = TQ_CATALOG_DESCRIPTOR_NONE;
    catclose(catalog);
    out.push_back(messageText(2));
    return out;
  });
  EXPECT_EQ(lines, (Lines{"-1", "own two", "MYRPC", "own two",
                          "Cannot open catalog; Message number = 2"}));
}

TEST(CatalogLoad, ConcurrentFirstLookupsAllSeeTheCatalog) {
  TempDir dir;
  writeCatalog(dir.path, "en", "$set 1\n2 \"shared\"\n");
  const Lines lines = runInChild([&] {
    setCatalogEnvironment({{"TQCATALOGDIR", dir.path}});
    constexpr int kThreads = 4;
    std::vector<std::string> texts(kThreads);
    std::vector<std::thread> threads;
    for (int i = 0; i < kThreads; ++i) {
      threads.emplace_back([&texts, i] {
        for (int round = 0; round < 50; ++round)
          texts[i] = messageText(2);
      });
    }
    for (std::thread& t : threads)
      t.join();
    return texts;
  });
  EXPECT_EQ(lines, Lines(4, "shared"));
}

}  // namespace
