// Recording, measuring and normalising for the argument checks.
#include "api/parmchck_core.h"

#include <cstdlib>
#include <cstring>

#include "share/apisrv/error.h"
#include "share/i18n/mbconv.h"

size_t tqParmEncodedLength(const char* text) {
  if (text == nullptr) return 0;
  int client = 0;
  int server = 0;
  // Without a current session there is no server to convert for, but a limit
  // must still hold: the text is measured by its bytes.
  if (!tqMbSessionCharSets(&client, &server)) return std::strlen(text);
  return tqMbEncodedLength(text, client, server);
}

namespace parmchck {

uint32_t fail(TQStatusList* status, int32_t number) {
  return TQAppendStatus(status, TQ_MSG_ERROR, number, "");
}

uint32_t failCode(TQStatusList* status, int32_t number, uint32_t code) {
  return TQAppendStatusNumber(status, TQ_MSG_ERROR, number, code);
}

size_t fixedLength(const char* array, size_t size) {
  if (std::memchr(array, '\0', size) == nullptr) return SIZE_MAX;
  return tqParmEncodedLength(array);
}

uint32_t ensureText(char** text, TQStatusList* status) {
  if (*text != nullptr) return 0;
  char* empty = static_cast<char*>(std::calloc(1, 1));
  if (empty == nullptr) return fail(status, kTQErrNoMemory);
  *text = empty;
  return 0;
}

uint32_t checkText(const char* text, size_t arraySize, const TextRule& rule, TQStatusList* status) {
  if (isEmpty(text)) return rule.missing != 0 ? fail(status, rule.missing) : 0;
  size_t length = arraySize != 0 ? fixedLength(text, arraySize) : tqParmEncodedLength(text);
  return length > rule.maxLength ? fail(status, rule.tooLong) : 0;
}

uint32_t checkNameArray(const char* array, size_t size, TQBoolean allowEmpty,
                        TQStatusList* status) {
  const TextRule rule{TQ_MAX_NAME_SIZE, allowEmpty ? 0 : kTQErrNameMissing, kTQErrNameTooLong};
  return checkText(array, size, rule, status);
}

}  // namespace parmchck

uint32_t tqCheckName(const char* name, TQBoolean allowEmpty, TQStatusList* status) {
  // A name argument is a pointer whose array size is unknown here.
  return parmchck::checkNameArray(name, 0, allowEmpty, status);
}
