// The session without a server: initialization and termination, dead
// handles, the session variables, the environment, TQSetServerPort and the
// server list.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <string>

#include "api/tqb_session.h"
#include "session_fixture.h"

namespace {

using tqsess::Client;
using tqsess::EnvVar;
using tqsess::numbers;

TEST(Session, InitializationSetsHandleAndTerminationClearsIt) {
  Client client;
  ASSERT_EQ(client.initCode, 0u);
  ASSERT_NE(client.control.session, nullptr);
  EXPECT_EQ(client.status.numItems, 0u);
  EXPECT_EQ(client.control.session->marker, kTQSessionMarker);
  EXPECT_EQ(client.control.session->channels[0].program, 390600u);
  EXPECT_EQ(client.terminate(), 0u);
  EXPECT_EQ(client.control.session, nullptr);
}

TEST(Session, EveryOperationWithoutStatusListReturns4AndClearsItsOutput) {
  Client client;
  TQControlStruct* c = &client.control;
  TQValueStruct value{};
  value.dataType = TQ_DATA_TYPE_CHAR;
  TQServerNameList names{};
  names.numItems = 7;
  TQServerInfoList info{};
  info.numItems = 7;
  uint32_t code55 = 55;
  TQServerInfoRequestList requests{1, &code55};
  const std::vector<std::pair<const char*, std::function<uint32_t()>>> calls = {
      {"TQInitialization", [&] { return TQInitialization(c, nullptr); }},
      {"TQTermination", [&] { return TQTermination(c, nullptr); }},
      {"TQSetSessionVariable", [&] { return TQSetSessionVariable(c, 2, &value, nullptr); }},
      {"TQGetSessionVariable", [&] { return TQGetSessionVariable(c, 2, &value, nullptr); }},
      {"TQEndUserSession", [&] { return TQEndUserSession(c, "Demo", nullptr); }},
      {"TQGetListServer", [&] { return TQGetListServer(c, &names, nullptr); }},
      {"TQSetServerPort", [&] { return TQSetServerPort(c, "x", 1, 0, nullptr); }},
      {"TQGetServerInfo", [&] { return TQGetServerInfo(c, &requests, &info, nullptr); }},
  };
  for (const auto& [name, call] : calls) {
    EXPECT_EQ(call(), 4u) << name;
  }
  EXPECT_NE(client.control.session, nullptr) << "the session must survive";
  EXPECT_EQ(value.dataType, 0u);
  EXPECT_EQ(names.numItems, 0u);
  EXPECT_EQ(info.numItems, 0u);
}

TEST(Session, DeadOrMadeUpHandleGives161AndReturns3) {
  Client client;
  TQSessionStruct* ended = client.control.session;
  ASSERT_EQ(client.terminate(), 0u);
  alignas(TQSessionStruct) static unsigned char lookalike[sizeof(TQSessionStruct)];
  *reinterpret_cast<uint32_t*>(lookalike) = kTQSessionMarker;  // right marker, never a session
  for (TQSessionStruct* handle : {ended, static_cast<TQSessionStruct*>(nullptr),
                                  reinterpret_cast<TQSessionStruct*>(lookalike)}) {
    client.control.session = handle;
    TQStatusList status{};
    uint32_t code55 = 55;
    TQServerInfoRequestList requests{1, &code55};
    TQServerInfoList info{};
    EXPECT_EQ(TQGetServerInfo(&client.control, &requests, &info, &status), 3u);
    EXPECT_EQ(numbers(status), std::vector<int32_t>{161});
    FreeTQStatusList(&status, 0);
    EXPECT_EQ(TQTermination(&client.control, &status), 3u);
    EXPECT_EQ(numbers(status), std::vector<int32_t>{161});
    FreeTQStatusList(&status, 0);
  }
  client.control.session = nullptr;
}

TEST(Session, ArgumentChecksRunBeforeAnyServerIsContacted) {
  Client client;
  uint32_t bad = 0;
  TQServerInfoRequestList requests{1, &bad};
  TQServerInfoList info{};
  // Nothing listens on the server name: a contact would add error 90.
  EXPECT_EQ(TQGetServerInfo(&client.control, &requests, &info, client.fresh()), 2u);
  EXPECT_EQ(numbers(client.status), std::vector<int32_t>{123});
  FreeTQStatusList(&client.status, 0);
  client.control.server[0] = '\0';
  uint32_t code55 = 55;
  requests.requestList = &code55;
  EXPECT_EQ(TQGetServerInfo(&client.control, &requests, &info, client.fresh()), 2u);
  EXPECT_EQ(numbers(client.status), std::vector<int32_t>{150});
}

// ------------------------------------------------------- session variables

TEST(SessionVariables, SetAndGetRoundTripAndRefusals) {
  Client client;
  TQControlStruct* c = &client.control;
  struct Case {
    uint32_t id;
    uint32_t dataType;
    int64_t value;
    uint32_t setCode;
    int64_t readBack;  // what Get returns afterwards
  };
  const Case cases[] = {
      {1, TQ_DATA_TYPE_INTEGER, 123456, 0, 123456},
      {2, TQ_DATA_TYPE_INTEGER, 0, 0, 0},  // no range checks
      {3, TQ_DATA_TYPE_INTEGER, 7, 0, 7},
      {4, TQ_DATA_TYPE_INTEGER, 8, 0, 8},
      {5, TQ_DATA_TYPE_INTEGER, 9, 0, 9},
      {6, TQ_DATA_TYPE_INTEGER, 0x1200, 0, 0},  // only the low byte is kept
      {7, TQ_DATA_TYPE_ULONG, 390620, 0, 390620},
      {10, TQ_DATA_TYPE_INTEGER, 1, 0, 1},
      {2, TQ_DATA_TYPE_REAL, 0, 2, 60},    // wrong data type
      {7, TQ_DATA_TYPE_INTEGER, 5, 2, 0},  // wrong data type
      {8, TQ_DATA_TYPE_INTEGER, 5, 2, 0},  // read only
      {9, TQ_DATA_TYPE_CHAR, 0, 2, -1},    // read only
  };
  for (const Case& k : cases) {
    Client one;
    TQValueStruct v{};
    v.dataType = k.dataType;
    if (k.dataType == TQ_DATA_TYPE_ULONG) {
      v.u.ulongVal = static_cast<uint32_t>(k.value);
    } else if (k.dataType == TQ_DATA_TYPE_REAL) {
      v.u.realVal = 2.5;
    } else if (k.dataType == TQ_DATA_TYPE_CHAR) {
      v.u.charVal = const_cast<char*>("x");
    } else {
      v.u.intVal = static_cast<int32_t>(k.value);
    }
    EXPECT_EQ(TQSetSessionVariable(&one.control, k.id, &v, one.fresh()), k.setCode)
        << "id " << k.id;
    EXPECT_EQ(one.status.numItems, 0u) << "id " << k.id;
    if (k.readBack < 0) continue;
    TQValueStruct out{};
    ASSERT_EQ(TQGetSessionVariable(&one.control, k.id, &out, one.fresh()), 0u);
    if (out.dataType == TQ_DATA_TYPE_ULONG) {
      EXPECT_EQ(out.u.ulongVal, k.readBack) << "id " << k.id;
    } else {
      EXPECT_EQ(out.dataType, uint32_t{TQ_DATA_TYPE_INTEGER}) << "id " << k.id;
      EXPECT_EQ(out.u.intVal, k.readBack) << "id " << k.id;
    }
  }
  for (uint32_t id : {0u, 11u}) {
    TQValueStruct v{};
    v.dataType = TQ_DATA_TYPE_INTEGER;
    EXPECT_EQ(TQSetSessionVariable(c, id, &v, client.fresh()), 2u);
    EXPECT_EQ(TQGetSessionVariable(c, id, &v, client.fresh()), 2u);
    EXPECT_EQ(client.status.numItems, 0u);
  }
}

TEST(SessionVariables, LastEntryIdIsAnOwnedCopyAndEmptyAtFirst) {
  Client client;
  TQValueStruct out{};
  ASSERT_EQ(TQGetSessionVariable(&client.control, 9, &out, client.fresh()), 0u);
  ASSERT_EQ(out.dataType, uint32_t{TQ_DATA_TYPE_CHAR});
  ASSERT_NE(out.u.charVal, nullptr);
  EXPECT_STREQ(out.u.charVal, "");
  FreeTQValueStruct(&out, 0);
}

// -------------------------------------------------------------- environment

TEST(Environment, VariablesAreReadAtInitialization) {
  struct Case {
    const char* name;
    const char* value;
    uint32_t code;
    std::vector<int32_t> messages;
    std::function<void(const TQSessionStruct&)> check;
  };
  const Case cases[] = {
      {"TQRPC",
       "390603",
       0,
       {},
       [](const TQSessionStruct& s) {
         EXPECT_EQ(s.fixedProgram, 390603u);
         EXPECT_EQ(s.programFixed, 1);
       }},
      {"TQRPC",
       "390670",
       1,
       {68},
       [](const TQSessionStruct& s) {
         EXPECT_EQ(s.fixedProgram, 0u);
         EXPECT_EQ(s.programFixed, 0);
       }},
      {"TQRPC",
       "390694",
       0,
       {},
       [](const TQSessionStruct& s) { EXPECT_EQ(s.fixedProgram, 390694u); }},
      {"TQRPC_RESPONSE_SIZE",
       "4096",
       0,
       {},
       [](const TQSessionStruct& s) { EXPECT_EQ(s.responseSize, 4096); }},
      {"TQRPC_RESPONSE_SIZE",
       "1000000",
       0,
       {},
       [](const TQSessionStruct& s) { EXPECT_EQ(s.responseSize, 1000000); }},
      {"TQRPC_RESPONSE_SIZE",
       "4095",
       0,
       {},
       [](const TQSessionStruct& s) { EXPECT_EQ(s.responseSize, 20000); }},
      {"TQRPC_RESPONSE_SIZE",
       "1000001",
       0,
       {},
       [](const TQSessionStruct& s) { EXPECT_EQ(s.responseSize, 20000); }},
      {"TQPROTOCOL",
       "udp6",
       0,
       {},
       [](const TQSessionStruct& s) { EXPECT_STREQ(s.transport, "udp"); }},
      {"TQPROTOCOL",
       "UDP",
       0,
       {},
       [](const TQSessionStruct& s) { EXPECT_STREQ(s.transport, "tcp"); }},
      {"TQTCPPORT",
       "4711",
       0,
       {},
       [](const TQSessionStruct& s) { EXPECT_EQ(s.fixedTcpPort, 4711u); }},
      {"TQAPILOGGING",
       "2",
       0,
       {},
       [](const TQSessionStruct& s) {
         EXPECT_EQ(s.recordingOn, 1);
         EXPECT_EQ(s.recordPause, 1);
       }},
      {"TQAPILOGGING", "3", 0, {}, [](const TQSessionStruct& s) { EXPECT_EQ(s.recordingOn, 0); }},
  };
  for (const Case& k : cases) {
    EnvVar set(k.name, k.value);
    Client client;
    SCOPED_TRACE(std::string(k.name) + "=" + k.value);
    EXPECT_EQ(client.initCode, k.code);
    EXPECT_EQ(numbers(client.status), k.messages);
    ASSERT_NE(client.control.session, nullptr) << "a warning does not stop the initialization";
    k.check(*client.control.session);
    if (!k.messages.empty()) {
      EXPECT_EQ(tqsess::appended(client.status), k.value);
    }
  }
}

TEST(Environment, NothingSetGivesTheDefaults) {
  EnvVar a("TQRPC", nullptr), b("TQRPC_RESPONSE_SIZE", nullptr), c("TQPROTOCOL", nullptr),
      d("TQTCPPORT", nullptr), e("TQAPILOGGING", nullptr);
  Client client;
  ASSERT_EQ(client.initCode, 0u);
  const TQSessionStruct& s = *client.control.session;
  EXPECT_EQ(s.responseSize, 20000);
  EXPECT_EQ(s.normalTimeout, 60);
  EXPECT_EQ(s.longTimeout, 180);
  EXPECT_EQ(s.extraLongTimeout, 900);
  EXPECT_EQ(s.directoryTimeout, 15);
  EXPECT_EQ(s.fixedProgram, 0u);
  EXPECT_EQ(s.fixedTcpPort, 0u);
  EXPECT_STREQ(s.transport, "tcp");
  EXPECT_EQ(s.recordingOn, 0);
}

// ---------------------------------------------------------- TQSetServerPort

TEST(SetServerPort, ChecksProgramAndPortAndStoresTheRoute) {
  struct Case {
    int32_t port;
    int32_t program;
    uint32_t code;
    std::vector<int32_t> messages;
    const char* appendedText;
  };
  const Case cases[] = {
      {65535, 390694, 0, {}, ""},
      {1, 0, 0, {}, ""},
      {0, 390600, 0, {}, ""},
      {65536, 0, 2, {8202}, "65536"},
      {-1, 0, 2, {8202}, "-1"},
      {80, 390603, 2, {8201}, "390603"},
      {80, 390695, 2, {8201}, "390695"},
  };
  for (const Case& k : cases) {
    Client client;
    SCOPED_TRACE(std::to_string(k.port) + "/" + std::to_string(k.program));
    EXPECT_EQ(TQSetServerPort(&client.control, "srv", k.port, k.program, client.fresh()), k.code);
    EXPECT_EQ(numbers(client.status), k.messages);
    EXPECT_EQ(tqsess::appended(client.status), k.appendedText);
    if (k.code != 0) continue;
    const TQServerRouteStruct* route = client.control.session->routes;
    ASSERT_NE(route, nullptr);
    EXPECT_STREQ(route->server, "srv");
    EXPECT_EQ(route->configuredProgram, static_cast<uint32_t>(k.program));
    const bool isPrivate = k.program >= 390680;
    EXPECT_EQ(route->privatePort, isPrivate ? static_cast<uint32_t>(k.port) : 0u);
    EXPECT_EQ(route->defaultPort, isPrivate ? 0u : static_cast<uint32_t>(k.port));
  }
}

// ------------------------------------------------------------ server list

class ServerList : public ::testing::Test {
 protected:
  void SetUp() override {
    char name[] = "/tmp/tqservers.XXXXXX";
    int fd = mkstemp(name);
    ASSERT_GE(fd, 0);
    close(fd);
    path_ = name;
  }
  void TearDown() override { std::remove(path_.c_str()); }

  std::vector<std::string> list(const std::string& text, uint32_t* code) {
    std::ofstream(path_) << text;
    EnvVar file("TQSERVERLIST", path_.c_str());
    Client client;
    TQServerNameList names{};
    *code = TQGetListServer(&client.control, &names, client.fresh());
    std::vector<std::string> out;
    for (uint32_t i = 0; i < names.numItems; ++i)
      out.push_back(names.nameList[i]);
    FreeTQServerNameList(&names, 0);
    return out;
  }

  std::string path_;
};

TEST_F(ServerList, NamesOneALineIn65ByteSlots) {
  const std::string longName(70, 'n');
  struct Case {
    std::string text;
    std::vector<std::string> names;
  };
  const Case cases[] = {
      {"alpha\nbeta\n", {"alpha", "beta"}},
      {"", {}},
      {"one\r\n\n  two  \n", {"one", "two"}},
      {longName + "\n", {std::string(64, 'n')}},
  };
  for (const Case& k : cases) {
    uint32_t code = 99;
    EXPECT_EQ(list(k.text, &code), k.names);
    EXPECT_EQ(code, 0u);
  }
  static_assert(sizeof(TQServerNameType) == 65);
}

TEST_F(ServerList, MissingFileIsAnEmptyListAndNoOutputIs155) {
  EnvVar file("TQSERVERLIST", "/nonexistent/tq/servers");
  Client client;
  TQServerNameList names{3, nullptr};
  EXPECT_EQ(TQGetListServer(&client.control, &names, client.fresh()), 0u);
  EXPECT_EQ(names.numItems, 0u);
  EXPECT_EQ(TQGetListServer(&client.control, nullptr, client.fresh()), 2u);
  EXPECT_EQ(numbers(client.status), std::vector<int32_t>{155});
}

}  // namespace
