// The qualification parser: turns a qualification written as text ('Status'
// = "Open" AND 'Priority' > 2) into a TQQualifierStruct tree. It works on a
// field catalogue that the caller fills (from the server, or in a test from
// a table), so the parser itself never talks to a server; the keyword values
// that need the server come through a callback of the context.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "tqlink.h"

// One data field of the schema as the parser sees it.
struct TQParseField {
  uint32_t fieldId = 0;
  uint32_t dataType = 0;
  // The label the text uses: the chosen view's label, else the common one,
  // else the field's name; at most TQ_MAX_NAME_SIZE bytes.
  TQNameType label = {};
  // Enumerated fields only: the value names, index 0 first.
  std::vector<std::string> enumNames;
};

// The fields of the schema, in the order the server lists them.
struct TQParseCatalogue {
  std::vector<TQParseField> fields;
};

// Keywords whose client-side value needs the server.
inline constexpr uint32_t kTQKeywordGroups = 8;
inline constexpr uint32_t kTQKeywordDatabase = 12;

// Everything a parse reads besides the text. Texts may be NULL (empty).
struct TQParseContext {
  const TQParseCatalogue* catalogue = nullptr;
  const char* schema = nullptr;
  const char* server = nullptr;
  const char* user = nullptr;
  const char* viewLabel = nullptr;    // the chosen view's label
  const char* lastEntryId = nullptr;  // the session's last created entry id
  uint32_t lastMatchCount = 0;        // the session's last match count
  // The value of kTQKeywordGroups or kTQKeywordDatabase inside a longer
  // text; asked at most once per keyword and parse. NULL: empty values.
  void (*serverKeyword)(void* data, uint32_t keyword, std::string* value) = nullptr;
  void* serverKeywordData = nullptr;
};

// Parentheses nest at most this deep (error 1585 beyond).
inline constexpr int kTQMaxParenDepth = 64;
// The tree the parser builds is at most this many pointers deep (error
// 1591 beyond), whatever builds the depth: chains of NOT, of unary minus,
// of AND, OR or arithmetic. It keeps every walk of the tree (checks,
// encoding, the server's decoding) within bounds.
inline constexpr uint32_t kTQMaxQualifierDepth = 512;

// Parses text into *out (cleared first). Returns 0 on success; a blank or
// NULL text gives 0 with operation 0. On a parse error returns 2 with the
// error and its position text appended to status, and leaves the partial
// tree in *out for FreeTQQualifierStruct; when replacing keywords in a text
// runs out of memory, returns 2 with 154 and *out released.
uint32_t tqParseQualification(const TQParseContext& context, const char* text,
                              TQQualifierStruct* out, TQStatusList* status);

// The position text of an error at byte offset position of text (counted
// from its first non-blank character): "position %d   (", the bytes before
// it, "^", the bytes from it, ")" or "...)". Empty for an offset past the
// text's end.
std::string tqParsePositionText(const char* text, size_t position);

// True when text is NULL or holds only blanks and tabs.
bool tqParseTextIsBlank(const char* text);
