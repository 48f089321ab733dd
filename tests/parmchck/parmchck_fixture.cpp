#include "parmchck_fixture.h"

#include <sstream>

Numbers Status::numbers() const {
  Numbers out;
  for (uint32_t i = 0; i < list.numItems; ++i)
    out.push_back(list.statusList[i].messageNumber);
  return out;
}

std::string Status::appended(uint32_t i) const {
  const char* text = list.statusList[i].appendedText;
  return text != nullptr ? text : "<null>";
}

CurrentSession::CurrentSession(int client, int server) {
  session.clientCodePage = client;
  session.serverCodePage = server;
  tqSetCurrentSession(&session);
}

CurrentSession::~CurrentSession() {
  tqSetCurrentSession(nullptr);
}

namespace {

std::string show(const Numbers& numbers) {
  std::ostringstream out;
  out << "[";
  for (size_t i = 0; i < numbers.size(); ++i)
    out << (i ? ", " : "") << numbers[i];
  out << "]";
  return out.str();
}

}  // namespace

::testing::AssertionResult Outcome(uint32_t result, const Status& status, const Numbers& expected) {
  Numbers got = status.numbers();
  uint32_t wantResult = expected.empty() ? 0 : 2;
  if (result == wantResult && got == expected) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "result " << result << " (want " << wantResult << "), statuses " << show(got)
         << " (want " << show(expected) << ")";
}

TQControlStruct validControl() {
  TQControlStruct control{};
  setText(control.user, "Demo");
  setText(control.password, "secret");
  setText(control.server, "tracker");
  return control;
}
