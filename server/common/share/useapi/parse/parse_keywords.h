// The parser's words: the 22 keywords written between "$" signs, the NULL
// keyword and the operator words, loaded once per process from the message
// catalog with the built-in names as fallbacks; and the client-side values
// of the keywords.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "share/useapi/parse/parse.h"
#include "tqlink.h"

inline constexpr int kTQKeywordCount = 22;
// The number tqKeywordNumber gives for the NULL keyword.
inline constexpr int kTQKeywordNull = kTQKeywordCount;
inline constexpr uint32_t kTQKeywordTimestamp = 2;
inline constexpr uint32_t kTQKeywordTime = 3;
inline constexpr uint32_t kTQKeywordDate = 4;

// Operator words by number.
enum TQOperatorWord : int {
  kTQWordLike = 0,
  kTQWordAnd,
  kTQWordOr,
  kTQWordNot,
  kTQWordUser,  // selector of a status-history reference
  kTQWordTime,  // selector of a status-history reference
  kTQOperatorWordCount
};

struct TQKeywordTable {
  TQNameType keywords[kTQKeywordCount];
  TQNameType nullKeyword;
  TQNameType operatorWords[kTQOperatorWordCount];
};

// The table, filled at the first call of the process.
const TQKeywordTable& tqKeywordTable();

// The keyword that the inside of a "$" pair names (the bytes from inner,
// length long): 0 to 21, kTQKeywordNull, or -1 when it names none. Names
// compare without regard to case; "-n" is keyword n, "--1" the NULL keyword.
int tqKeywordNumber(const char* inner, size_t length);

// Where the next keyword of text at or after from is: the offsets of its
// opening and closing "$" and its number. False when there is none.
bool tqFindKeyword(const char* text, size_t from, size_t* open, size_t* close, int* number);

// The values of the keywords that need the server, asked once per parse.
struct TQKeywordCache {
  bool groupsKnown = false;
  bool databaseKnown = false;
  std::string groups;
  std::string database;
};

// The client-side value of a keyword inside a longer text (the NULL keyword
// has an empty one).
std::string tqKeywordValue(const TQParseContext& context, int number, TQKeywordCache& cache);

// The platform's processor and system, as the HARDWARE and OS keywords show
// them.
std::string tqKeywordHardware();
std::string tqKeywordSystem();
