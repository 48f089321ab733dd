// The converting text routines of the wire encoding (see tqxdr.h).
#include "share/i18n/tqxdr.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "api/tqb_session.h"
#include "rpc/xdr_base.h"
#include "share/i18n/mbiconv.h"
#include "share/i18n/mbutil.h"

namespace {

thread_local char problem[160];
thread_local bool hasProblem = false;

// "a text has a character at byte 6 that has no form in the server's
// character set EUC-JP"
void noteProblem(const char* what, size_t offset, int charSet) {
  const char* name = tqMbIconvName(charSet);
  char number[16];
  std::snprintf(number, sizeof number, "%d", charSet);
  std::snprintf(problem, sizeof problem, "a text has a character at byte %zu %s %s", offset, what,
                name != nullptr ? name : number);
  hasProblem = true;
}

// ------------------------------------------------ character-set services

// A new terminated block holding the conversion of length bytes of text
// between two sets; sized by the converter's bound rather than a fixed
// multiple, so that no pair can overrun it. With kFail a character that has
// no form in `to` fails the conversion (noted as the thread's problem).
// nullptr without memory or on such a failure.
char* convertedCopy(const char* text, size_t length, int from, int to, TQMbBadChars mode) {
  const size_t size = tqMbConvertBound(length, from, to);
  char* out = static_cast<char*>(std::calloc(size, 1));
  if (out == nullptr) return nullptr;
  const TQMbConvResult result = tqMbConvert(text, length, from, out, size, to, mode);
  if (result.status != TQMbConvStatus::kOk) {
    if (result.status == TQMbConvStatus::kInvalid) {
      noteProblem("that has no form in the server's character set", result.badOffset, to);
    }
    std::free(out);
    return nullptr;
  }
  return out;
}

// The longest prefix of text, at most limit bytes, that ends on a character
// boundary of the set.
size_t safeLength(const char* text, size_t limit, int charSet) {
  return tqMbSafeLength(text, limit, charSet);
}

// ----------------------------------------------------------- sessions

enum class Mode { kPlain, kConvert, kNoSession };

// Whether a converting routine converts: only with a current session whose
// two sets differ (and, for counted texts, while conversion is not paused).
Mode modeOf(XDR* xdrs, bool counted, const TQSessionStruct** session) {
  const TQSessionStruct* current = tqCurrentSession();
  *session = current;
  if (xdrs->x_op == XDR_FREE) return Mode::kPlain;
  if (current == nullptr) return Mode::kNoSession;
  if (current->clientCodePage == current->serverCodePage) return Mode::kPlain;
  // Sets that have no conversion between them (a UTF-8 client and a server
  // that keeps no Japanese set, say) exchange their bytes unchanged.
  if (!tqMbConversionSupported(current->clientCodePage, current->serverCodePage)) {
    return Mode::kPlain;
  }
  if (counted && current->noConversion != 0) return Mode::kPlain;
  return Mode::kConvert;
}

// A converted copy of length bytes of text, from the client's set to the
// server's; nullptr when the text is not valid in the client's set, when a
// character of it has no form in the server's set (the server would store a
// different text than the caller gave), or when memory runs out.
char* toServer(const TQSessionStruct* session, const char* text, size_t length) {
  size_t bad = 0;
  if (!tqMbValidate(text, length, session->clientCodePage, &bad)) {
    noteProblem("that is not valid in the client's character set", bad, session->clientCodePage);
    return nullptr;
  }
  return convertedCopy(text, length, session->clientCodePage, session->serverCodePage,
                       TQMbBadChars::kFail);
}

// A converted copy of a received text, from the server's set to the client's.
char* toClient(const TQSessionStruct* session, const char* text) {
  return convertedCopy(text, std::strlen(text), session->serverCodePage, session->clientCodePage,
                       TQMbBadChars::kReplace);
}

}  // namespace

bool_t tqxdrFixedText(XDR* xdrs, char* text, uint32_t wireSize, uint32_t capacity) {
  if (capacity < wireSize) capacity = wireSize;
  if (wireSize == 0) return TRUE;
  // On the wire all wireSize bytes may hold text only when the array has
  // room for a terminator behind them.
  const size_t textRoom = capacity > wireSize ? wireSize : wireSize - 1;
  const TQSessionStruct* session = nullptr;
  const Mode mode = modeOf(xdrs, false, &session);
  if (mode == Mode::kNoSession) return FALSE;

  switch (xdrs->x_op) {
    case XDR_FREE:
      return TRUE;
    case XDR_ENCODE: {
      // Bytes behind the terminator go out as zeros, never as whatever the
      // caller's array held there.
      char small[512];
      char* out = wireSize <= sizeof(small) ? small : static_cast<char*>(std::malloc(wireSize));
      if (out == nullptr) return FALSE;
      std::memset(out, 0, wireSize);
      const size_t length = strnlen(text, capacity);
      bool ok = true;
      if (mode == Mode::kConvert && length != 0) {
        char* converted = toServer(session, text, length);
        if (converted == nullptr) {
          ok = false;
        } else {
          std::memcpy(out, converted, safeLength(converted, textRoom, session->serverCodePage));
          std::free(converted);
        }
      } else {
        std::memcpy(out, text, length < textRoom ? length : textRoom);
      }
      ok = ok && xdr_opaque(xdrs, out, wireSize);
      if (out != small) std::free(out);
      return ok ? TRUE : FALSE;
    }
    case XDR_DECODE: {
      if (!xdr_opaque(xdrs, text, wireSize)) return FALSE;
      // A peer may send no terminator at all: end the text inside the array.
      text[textRoom] = 0;
      if (mode != Mode::kConvert || text[0] == 0) return TRUE;
      char* converted = toClient(session, text);
      if (converted == nullptr) return FALSE;
      const size_t keep = safeLength(converted, textRoom, session->clientCodePage);
      std::memset(text, 0, textRoom);
      std::memcpy(text, converted, keep);
      std::free(converted);
      return TRUE;
    }
  }
  return FALSE;
}

bool_t tqxdrText(XDR* xdrs, char** text, uint32_t max) {
  const TQSessionStruct* session = nullptr;
  const Mode mode = modeOf(xdrs, false, &session);
  if (mode == Mode::kNoSession) return FALSE;
  if (mode == Mode::kPlain || (*text == nullptr && xdrs->x_op == XDR_ENCODE)) {
    return tqx::boundedString(xdrs, text, max);
  }
  if (xdrs->x_op == XDR_ENCODE) {
    char* converted = toServer(session, *text, std::strlen(*text));
    if (converted == nullptr) return FALSE;
    bool_t ok = tqx::boundedString(xdrs, &converted, max);
    std::free(converted);
    return ok;
  }
  if (!tqx::boundedString(xdrs, text, max)) return FALSE;
  char* converted = toClient(session, *text);
  if (converted == nullptr) {
    std::free(*text);
    *text = nullptr;
    return FALSE;
  }
  std::free(*text);
  *text = converted;
  return TRUE;
}

bool_t tqxdrCountedText(XDR* xdrs, char** text, uint32_t* length, uint32_t max) {
  const TQSessionStruct* session = nullptr;
  const Mode mode = modeOf(xdrs, true, &session);
  if (mode == Mode::kNoSession) return FALSE;
  if (mode == Mode::kPlain || (*text == nullptr && xdrs->x_op == XDR_ENCODE)) {
    return tqx::boundedBytes(xdrs, text, length, max);
  }
  if (xdrs->x_op == XDR_ENCODE) {
    char* converted = toServer(session, *text, strnlen(*text, *length));
    if (converted == nullptr) return FALSE;
    uint32_t convertedLength = static_cast<uint32_t>(std::strlen(converted));
    bool_t ok = tqx::boundedBytes(xdrs, &converted, &convertedLength, max);
    std::free(converted);
    return ok;
  }
  if (!tqx::boundedBytes(xdrs, text, length, max)) return FALSE;
  char* converted = toClient(session, *text);
  std::free(*text);
  *text = converted;
  if (converted == nullptr) {
    *length = 0;
    return FALSE;
  }
  *length = static_cast<uint32_t>(std::strlen(converted));
  return TRUE;
}

const char* tqxdrProblem() {
  return hasProblem ? problem : nullptr;
}

void tqxdrClearProblem() {
  hasProblem = false;
  problem[0] = '\0';
}
