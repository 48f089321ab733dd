// The procedure table, the stubs with their per-session result buffers, and
// the runtime interface, against a small server in a child process that
// answers with the same routines.
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstddef>
#include <cstring>
#include <string>

#include "rpc/procedure_records.h"
#include "rpc/procedures.h"
#include "rpc/stubs.h"
#include "rpc/tqwire.h"
#include "rpc/xdr_entry.h"
#include "rpc/xdr_header.h"
#include "rpc/xdr_session.h"
#include "rpc_test_util.h"

namespace {

// ------------------------------------------------------------------ table

TEST(ProcedureTable, HasOneSlotPerStubInVersionOrder) {
  uint32_t perVersion[7] = {};
  uint32_t directory[3] = {};
  for (uint32_t slot = 0; slot < kTQProcedureCount; ++slot) {
    const TQProcedure& p = tqProcedureAt(slot);
    EXPECT_EQ(p.slot, slot);
    ASSERT_NE(p.name, nullptr) << "slot " << slot;
    if (p.program == TQProgram::kServer) {
      ++perVersion[p.version];
      if (slot > 0) {
        EXPECT_GE(p.version, tqProcedureAt(slot - 1).version);
      }
    } else {
      ++directory[p.version];
    }
    EXPECT_EQ(tqProcedureOfStub(tqStubAt(slot)), &p);
  }
  EXPECT_EQ(perVersion[2], 51u);
  EXPECT_EQ(perVersion[3], 63u);
  EXPECT_EQ(perVersion[4], 70u);
  EXPECT_EQ(perVersion[5], 76u);
  EXPECT_EQ(perVersion[6], 83u);
  EXPECT_EQ(directory[1], 2u);
  EXPECT_EQ(directory[2], 3u);
  EXPECT_EQ(tqStubAt(kTQProcedureCount), nullptr);
}

TEST(ProcedureTable, FindsWhatEachVersionHas) {
  // Procedures whose routines exist must report them; the others may gain
  // routines later, so only their presence is checked.
  const struct {
    TQProgram program;
    uint32_t version, number;
    bool present, routines;
  } cases[] = {
      {TQProgram::kServer, 6, 1, true, true},    {TQProgram::kServer, 2, 1, true, true},
      {TQProgram::kServer, 6, 80, true, false},  {TQProgram::kServer, 5, 80, false, false},
      {TQProgram::kServer, 6, 79, false, false}, {TQProgram::kServer, 5, 73, false, false},
      {TQProgram::kServer, 5, 72, true, false},  {TQProgram::kServer, 2, 48, false, false},
      {TQProgram::kServer, 2, 93, true, false},  {TQProgram::kServer, 3, 47, true, true},
      {TQProgram::kServer, 4, 36, true, true},   {TQProgram::kServer, 6, 37, true, true},
      {TQProgram::kServer, 5, 5, true, true},    {TQProgram::kDirectory, 1, 3, false, false},
      {TQProgram::kDirectory, 2, 3, true, true}, {TQProgram::kDirectory, 1, 2, true, true},
      {TQProgram::kServer, 7, 1, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "v" << c.version << " #" << c.number);
    const TQProcedure* p = tqFindProcedure(c.program, c.version, c.number);
    ASSERT_EQ(p != nullptr, c.present);
    if (p != nullptr && c.routines) {
      EXPECT_TRUE(tqHasRoutines(*p));
      EXPECT_GT(p->resultSize, 0u);
    }
  }
  EXPECT_STREQ(tqFindProcedure(TQProgram::kServer, 4, 37)->name, "TQMergeEntry");
  EXPECT_STREQ(tqFindProcedure(TQProgram::kServer, 6, 47)->name, "end-of-session notice");
}

// What the table derives from the records of each version: the call
// header, where the result's status list sits, and the re-laying steps.
TEST(ProcedureTable, DerivesHeaderStatusAndStepsFromTheRecords) {
  const struct {
    TQProgram program;
    uint32_t version, number;
    bool header;
    int32_t statusOffset;
    uint8_t relay;
  } cases[] = {
      {TQProgram::kServer, 6, 1, true, offsetof(TQGetEntryResult, status), kTQRelayNone},
      {TQProgram::kServer, 3, 1, true, offsetof(TQGetEntryResult, status), kTQRelayArgs},
      {TQProgram::kServer, 3, 5, true, offsetof(TQGetListEntryResultOld, status), kTQRelayResult},
      {TQProgram::kServer, 5, 5, true, offsetof(TQGetListEntryResult, status), kTQRelayNone},
      {TQProgram::kServer, 5, 3, true, offsetof(TQEntryIdResult, status), kTQRelayArgs},
      {TQProgram::kServer, 4, 3, true, offsetof(TQEntryIdResult, status), kTQRelayNone},
      {TQProgram::kServer, 6, 47, true, offsetof(TQStatusResult, status), kTQRelayNone},
      {TQProgram::kServer, 6, 90, false, 0, kTQRelayNone},
      {TQProgram::kDirectory, 2, 2, false, -1, kTQRelayNone},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "v" << c.version << " #" << c.number);
    const TQProcedure* p = tqFindProcedure(c.program, c.version, c.number);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->callHeader, c.header);
    EXPECT_EQ(p->statusOffset, c.statusOffset);
    EXPECT_EQ(p->relay, c.relay);
  }
  // Versions that share their records share the record types.
  EXPECT_EQ(tqFindProcedure(TQProgram::kServer, 4, 1)->argType,
            tqFindProcedure(TQProgram::kServer, 6, 1)->argType);
  EXPECT_NE(tqFindProcedure(TQProgram::kServer, 3, 1)->argType,
            tqFindProcedure(TQProgram::kServer, 4, 1)->argType);
}

// How the operations call each procedure, against the table of the frame.
TEST(ProcedureTable, GivesEachProcedureItsChannelTimeoutAndMessage) {
  const struct {
    uint32_t number;
    int channel;
    TQTimeout timeout;
    int32_t message;
    bool read;
  } cases[] = {
      {1, kTQChannelGeneral, TQTimeout::kNormal, 93, true},
      {2, kTQChannelGeneral, TQTimeout::kNormal, 92, false},
      {5, kTQChannelQuery, TQTimeout::kLong, 94, true},
      {8, kTQChannelAdmin, TQTimeout::kExtraLong, 92, false},
      {17, kTQChannelAdmin, TQTimeout::kLong, 92, false},
      {22, kTQChannelAdmin, TQTimeout::kNormal, 92, false},
      {55, kTQChannelQuery, TQTimeout::kLong, 93, true},
      {61, kTQChannelQuery, TQTimeout::kNormal, 92, false},
      {80, kTQChannelGeneral, TQTimeout::kLong, 93, true},
      {90, kTQChannelGeneral, TQTimeout::kNormal, 92, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.number);
    const TQProcedureInfo* info = tqProcedureInfo(c.number);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->channel, c.channel);
    EXPECT_EQ(info->timeout, c.timeout);
    EXPECT_EQ(info->timeoutMessage, c.message);
    EXPECT_EQ(info->read, c.read);
    EXPECT_EQ(tqFindProcedure(TQProgram::kServer, 6, c.number)->read, c.read);
  }
  EXPECT_EQ(tqProcedureInfo(79), nullptr);
  EXPECT_EQ(tqProcedureInfo(94), nullptr);
}

// ---------------------------------------------------------- result buffers

TEST(ResultBuffers, NeedASessionAndAreKeptPerSlot) {
  tqSetCurrentSession(nullptr);
  EXPECT_EQ(tqResultBuffer(64, 0, kTQProcedureCount), nullptr);
  SessionScope scope;
  void* first = tqResultBuffer(64, 5, kTQProcedureCount);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(tqResultBuffer(64, 5, kTQProcedureCount), first);
  EXPECT_NE(tqResultBuffer(64, 6, kTQProcedureCount), first);
  EXPECT_EQ(scope.session.resultSlotCount, kTQProcedureCount);
  EXPECT_EQ(tqResultBuffer(64, kTQProcedureCount, kTQProcedureCount), nullptr);
}

// ------------------------------------------------------------- a server

// A raw reply: bytes that the test wants the client to receive.
struct RawReply {
  Bytes bytes;
};

bool_t xdrRawReply(XDR* x, RawReply* reply) {
  return xdr_opaque(x, reinterpret_cast<char*>(reply->bytes.data()),
                    static_cast<u_int>(reply->bytes.size()));
}

template <class T, bool_t (*F)(XDR*, T*)>
xdrproc_t proc() {
  return reinterpret_cast<xdrproc_t>(tqx::decodeOrFree<T, F>);
}

void serveProgram6(svc_req* request, SVCXPRT* transport) {
  switch (request->rq_proc) {
    case 1: {  // TQGetEntry: echoes the first entry id as a char value
      TQGetEntryArgs args{};
      const xdrproc_t argsProc = proc<TQGetEntryArgs, xdr_TQGetEntryArgs6>();
      if (!svc_getargs(transport, argsProc, reinterpret_cast<caddr_t>(&args))) {
        svcerr_decode(transport);
        return;
      }
      TQFieldValueStruct item{};
      item.fieldId = 1;
      item.value.dataType = TQ_DATA_TYPE_CHAR;
      item.value.u.charVal = args.entryId.numItems > 0 ? args.entryId.entryIdList[0] : nullptr;
      TQGetEntryResult result{};
      result.header.cacheId = args.header.cacheId + 1;
      result.header.flag = 1;
      result.fieldValues = {1, &item};
      svc_sendreply(transport, proc<TQGetEntryResult, xdr_TQGetEntryResult6>(),
                    reinterpret_cast<caddr_t>(&result));
      svc_freeargs(transport, argsProc, reinterpret_cast<caddr_t>(&args));
      return;
    }
    case 4: {  // TQDeleteEntry: a reply whose status count lies
      TQCallHeader header{};
      RawReply reply{encodeWith(xdr_TQCallHeader6, &header) + words({5, 2, 302}) +
                     countedText("first item decodes") + words({0}) + words({2, 9})};
      svc_sendreply(transport, reinterpret_cast<xdrproc_t>(xdrRawReply),
                    reinterpret_cast<caddr_t>(&reply));
      return;
    }
    default:
      svcerr_noproc(transport);
  }
}

// Runs the server in a child process on a free port of the loopback.
class ServerFixture : public testing::Test {
 protected:
  void SetUp() override {
    int listener = socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_GE(listener, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(listen(listener, 8), 0);
    socklen_t length = sizeof address;
    ASSERT_EQ(getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length), 0);
    port_ = ntohs(address.sin_port);
    child_ = fork();
    ASSERT_GE(child_, 0);
    if (child_ == 0) {
      static TQSessionStruct serverSession;
      tqSetCurrentSession(&serverSession);
      SVCXPRT* transport = svctcp_create(listener, 0, 0);
      if (transport == nullptr || !svc_register(transport, kTQServerProgram, 6, serveProgram6, 0)) {
        _exit(3);
      }
      svc_run();
      _exit(0);
    }
    close(listener);
  }

  void TearDown() override {
    if (child_ > 0) {
      kill(child_, SIGKILL);
      waitpid(child_, nullptr, 0);
    }
  }

  CLIENT* connect(uint32_t version = 6) {
    CLIENT* client = tqwCreateClientOnPort("127.0.0.1", kTQServerProgram, version, port_);
    if (client != nullptr) {
      EXPECT_TRUE(tqwSetTimeout(client, 10));
    }
    return client;
  }

  uint16_t port_ = 0;
  pid_t child_ = -1;
};

TQGetEntryArgs getEntryArgs(TQEntryIdType* id, char* schema) {
  TQGetEntryArgs args{};
  args.header.cacheId = 41;
  std::strcpy(args.header.user, "Demo");
  args.header.flag = 1;
  args.schema = schema;
  args.entryId = {1, id};
  args.valuesWanted = 1;
  return args;
}

TEST_F(ServerFixture, StubReusesItsResultBufferAndCallersKeepWhatTheyTookOver) {
  SessionScope scope;
  CLIENT* client = connect();
  ASSERT_NE(client, nullptr);
  TQStub stub = tqStubOf(TQProgram::kServer, 6, 1);
  ASSERT_NE(stub, nullptr);
  char schema[] = "HelpDesk";
  TQEntryIdType firstId = "000000000000001";
  TQGetEntryArgs args = getEntryArgs(&firstId, schema);

  auto* first = static_cast<TQGetEntryResult*>(stub(&args, client));
  ASSERT_NE(first, nullptr) << tqwCallErrorReason(client);
  EXPECT_EQ(first->header.cacheId, 42);
  // The caller takes the list over, as the operations do.
  TQFieldValueList kept = first->fieldValues;
  first->fieldValues = {};

  TQEntryIdType secondId = "000000000000002";
  args.entryId = {1, &secondId};
  auto* second = static_cast<TQGetEntryResult*>(stub(&args, client));
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second, first);
  ASSERT_EQ(second->fieldValues.numItems, 1u);
  EXPECT_STREQ(second->fieldValues.fieldValueList[0].value.u.charVal, "000000000000002");
  ASSERT_EQ(kept.numItems, 1u);
  EXPECT_STREQ(kept.fieldValueList[0].value.u.charVal, "000000000000001");

  releaseWith(xdr_TQFieldValueList, &kept);
  releaseWith(xdr_TQFieldValueList, &second->fieldValues);
  tqwDestroyClient(client);
}

TEST_F(ServerFixture, StubWithoutCurrentSessionFails) {
  CLIENT* client = nullptr;
  {
    SessionScope scope;
    client = connect();
  }
  ASSERT_NE(client, nullptr);
  tqSetCurrentSession(nullptr);
  char schema[] = "HelpDesk";
  TQEntryIdType id = "1";
  TQGetEntryArgs args = getEntryArgs(&id, schema);
  EXPECT_EQ(tqStubOf(TQProgram::kServer, 6, 1)(&args, client), nullptr);
  tqwDestroyClient(client);
}

TEST_F(ServerFixture, BrokenReplyFailsTheStubAndLeavesNothingBehind) {
  SessionScope scope;
  CLIENT* client = connect();
  ASSERT_NE(client, nullptr);
  char schema[] = "HelpDesk";
  TQEntryIdType id = "1";
  TQDeleteEntryArgs args{};
  args.schema = schema;
  args.entryId = {1, &id};
  const TQProcedure* del = tqFindProcedure(TQProgram::kServer, 6, 4);
  ASSERT_NE(del, nullptr);
  EXPECT_EQ(tqStubAt(del->slot)(&args, client), nullptr);
  EXPECT_EQ(tqwCallStatus(client), RPC_CANTDECODERES);
  EXPECT_EQ(tqwCallErrorReason(client).rfind("RPC: ", 0), 0u) << tqwCallErrorReason(client);
  auto* buffer = static_cast<TQStatusResult*>(scope.session.resultSlots[del->slot]);
  ASSERT_NE(buffer, nullptr);
  EXPECT_EQ(buffer->status.statusList, nullptr);
  tqwDestroyClient(client);
}

TEST_F(ServerFixture, UnknownVersionIsReportedByTheRuntime) {
  SessionScope scope;
  CLIENT* client = connect(5);
  if (client == nullptr) {
    // Some runtimes check the version at creation.
    EXPECT_EQ(tqwCreateStatus(), RPC_PROGVERSMISMATCH);
    return;
  }
  char schema[] = "HelpDesk";
  TQEntryIdType id = "1";
  TQGetEntryArgs args = getEntryArgs(&id, schema);
  EXPECT_EQ(tqStubOf(TQProgram::kServer, 5, 1)(&args, client), nullptr);
  EXPECT_EQ(tqwCallStatus(client), kTQRpcProgVersMismatch);
  tqwDestroyClient(client);
}

// ------------------------------------------------------- runtime interface

TEST(RuntimeInterface, ContextsAreSelectedPerThread) {
  TQRuntimeContext* context = tqwCreateContext();
  ASSERT_NE(context, nullptr);
  EXPECT_EQ(tqwCurrentContext(), nullptr);
  EXPECT_EQ(tqwSelectContext(context), context);
  EXPECT_EQ(tqwCurrentContext(), context);
  tqwDestroyContext(context);
  EXPECT_EQ(tqwCurrentContext(), nullptr);
  EXPECT_EQ(tqwSelectContext(nullptr), nullptr);
}

TEST(RuntimeInterface, CreationFailuresLeaveTheirOwnReason) {
  EXPECT_EQ(tqwCreateClientOnPort("no-such-host.invalid", kTQServerProgram, 6, 1), nullptr);
  EXPECT_EQ(tqwCreateStatus(), RPC_UNKNOWNHOST);
  EXPECT_EQ(tqwCreateErrorReason(), "RPC: Unknown host");
  EXPECT_EQ(tqwCreateErrorText("srv"), "srv: RPC: Unknown host");

  EXPECT_EQ(tqwCreateClient("no-such-host.invalid", kTQServerProgram, 6, "tcp"), nullptr);
  EXPECT_NE(tqwCreateStatus(), RPC_SUCCESS);
  EXPECT_EQ(tqwCreateErrorReason().rfind("RPC: ", 0), 0u) << tqwCreateErrorReason();
}

}  // namespace
