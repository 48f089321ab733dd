// The call's side of the conversions: the current call context's client and
// server code pages.
#include "share/apisrv/call_context.h"
#include "share/i18n/mbconv.h"

bool tqMbSessionCharSets(int* clientSet, int* serverSet) {
  const TQCallContext* context = tqCurrentCallContext();
  *clientSet = context != nullptr ? context->clientCodePage : kTQCharSetNone;
  *serverSet = context != nullptr ? context->serverCodePage : kTQCharSetNone;
  return context != nullptr;
}

size_t tqMbEncodedLength(const char* text) {
  int client, server;
  if (text == nullptr || !tqMbSessionCharSets(&client, &server)) return 0;
  return tqMbEncodedLength(text, client, server);
}
