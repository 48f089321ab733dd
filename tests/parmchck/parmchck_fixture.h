// Shared pieces of the argument-check tests: a status list that cleans up
// after itself, the current session with chosen code pages, and the
// comparison of a check's result and recorded numbers with what a case
// expects.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "api/parmchck.h"
#include "api/tqb_session.h"
#include "tqlink_services.h"

using Numbers = std::vector<int32_t>;

// A status list released at the end of the scope.
struct Status {
  TQStatusList list{0, nullptr};
  Status() = default;
  Status(const Status&) = delete;
  Status& operator=(const Status&) = delete;
  ~Status() { FreeTQStatusList(&list, 0); }
  TQStatusList* get() { return &list; }
  // Message numbers in list order (most severe first, newest first).
  Numbers numbers() const;
  uint32_t type(uint32_t i) const { return list.statusList[i].messageType; }
  std::string appended(uint32_t i) const;
};

// Makes a session with the given client and server code pages the calling
// thread's current one for the scope.
struct CurrentSession {
  TQSessionStruct session;
  CurrentSession(int client, int server);
  ~CurrentSession();
};

// Expects a check to have passed without recording anything (expected
// empty), or to have failed with result 2 and exactly the expected numbers
// in list order.
::testing::AssertionResult Outcome(uint32_t result, const Status& status, const Numbers& expected);

// Copies text into a fixed array, which must be large enough.
template <size_t N>
void setText(char (&array)[N], const std::string& text) {
  ASSERT_LT(text.size(), N);
  std::copy(text.begin(), text.end(), array);
  array[text.size()] = '\0';
}

// A valid control record.
TQControlStruct validControl();
