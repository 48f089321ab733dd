// Helpers of the server's tests (see server_test_util.h).
#include "server_test_util.h"

#include <cstring>
#include <ctime>

#include "api/tqb_scramble.h"

namespace tqsdtest {
namespace {

template <class R>
void collect(const R& result, Answer* answer) {
  answer->cacheId = result.header.cacheId;
  answer->flag = result.header.flag;
  for (uint32_t i = 0; i < result.status.numItems; ++i) {
    const TQStatusStruct& s = result.status.statusList[i];
    answer->statusNumbers.push_back(s.messageNumber);
    answer->appendedTexts.push_back(s.appendedText ? s.appendedText : "");
  }
}

const TQProcedure& procedureOf(const tqtest::RpcClient& client, uint32_t number) {
  return *tqFindProcedure(TQProgram::kServer, client.version(), number);
}

}  // namespace

TQCallHeader makeHeader(const Credentials& who) {
  TQCallHeader header{};
  header.operationTime = static_cast<TQTimestamp>(std::time(nullptr));
  std::strncpy(header.user, who.user.c_str(), sizeof header.user - 1);
  std::strncpy(header.password, who.password.c_str(), sizeof header.password - 1);
  if (who.scramble) {
    tqScramblePassword(static_cast<uint32_t>(header.operationTime + who.timeShift),
                       header.password);
  }
  header.flag = 1;
  return header;
}

Answer askServerInfo(tqtest::RpcClient& client, const Credentials& who,
                     const std::vector<uint32_t>& codes) {
  tqtest::WireSession session;
  std::vector<uint32_t> asked = codes;
  TQGetServerInfoArgs args{};
  args.header = makeHeader(who);
  args.requests.numItems = static_cast<uint32_t>(asked.size());
  args.requests.requestList = asked.data();
  TQGetServerInfoResult result{};
  Answer answer;
  answer.stat = client.call(TQProgram::kServer, 36, &args, &result);
  if (answer.stat == RPC_SUCCESS) {
    collect(result, &answer);
    for (uint32_t i = 0; i < result.info.numItems; ++i) {
      const TQServerInfoStruct& item = result.info.serverInfoList[i];
      answer.info.emplace_back(item.operation,
                               item.value.dataType == TQ_DATA_TYPE_CHAR && item.value.u.charVal
                                   ? item.value.u.charVal
                                   : "<not a text>");
    }
  }
  tqtest::releaseRecord(procedureOf(client, 36).xdrResult, &result);
  return answer;
}

Answer endSession(tqtest::RpcClient& client, const Credentials& who) {
  tqtest::WireSession session;
  TQEndSessionArgs args{};
  args.header = makeHeader(who);
  std::string user = who.user;
  args.user = user.data();
  TQStatusResult result{};
  Answer answer;
  answer.stat = client.call(TQProgram::kServer, 47, &args, &result);
  if (answer.stat == RPC_SUCCESS) collect(result, &answer);
  tqtest::releaseRecord(procedureOf(client, 47).xdrResult, &result);
  return answer;
}

}  // namespace tqsdtest
