// The session's side of the conversions: its client and server code pages.
#include "api/tqb_session.h"
#include "share/i18n/mbconv.h"

bool tqMbSessionCharSets(int* clientSet, int* serverSet) {
  const TQSessionStruct* session = tqCurrentSession();
  *clientSet = session != nullptr ? session->clientCodePage : kTQCharSetNone;
  *serverSet = session != nullptr ? session->serverCodePage : kTQCharSetNone;
  return session != nullptr;
}

size_t tqMbEncodedLength(const char* text) {
  int client, server;
  if (text == nullptr || !tqMbSessionCharSets(&client, &server)) return 0;
  return tqMbEncodedLength(text, client, server);
}
