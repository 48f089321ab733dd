// The server members of the definition family: server settings and
// statistics (procedures 44 and 57), full-text settings (53, 54), SQL
// queries (59) and commands run on the server (61).
#include "api/tqb_def_family.h"

extern "C" uint32_t TQSetServerInfo(TQControlStruct* control, const TQServerInfoList* serverInfo,
                                    TQStatusList* status) {
  return tqDefChange<TQSetServerInfoArgs>(
      TQDef::kSetServerInfo, control, status,
      [&] { return tqCheckArgsSetServerInfo(control, serverInfo, status); },
      [&](TQSetServerInfoArgs& a) { a.info = *serverInfo; });
}

extern "C" uint32_t TQGetServerStatistics(TQControlStruct* control,
                                          const TQServerInfoRequestList* requests,
                                          TQServerInfoList* serverInfo, TQStatusList* status) {
  return tqDefOperation<TQGetServerInfoArgs, TQGetServerInfoResult>(
      TQDef::kGetServerStatistics, control, status, [&] { tqDefClear(serverInfo); },
      [&] { return tqCheckArgsGetServerStatistics(control, requests, status); },
      [&](TQGetServerInfoArgs& a) { a.requests = *requests; },
      [&](TQGetServerInfoResult& r) { tqDefHandOver(serverInfo, r.info); });
}

extern "C" uint32_t TQGetFullTextInfo(TQControlStruct* control,
                                      const TQFullTextInfoRequestList* requests,
                                      TQFullTextInfoList* fullTextInfo, TQStatusList* status) {
  return tqDefOperation<TQGetFullTextInfoArgs, TQGetFullTextInfoResult>(
      TQDef::kGetFullTextInfo, control, status, [&] { tqDefClear(fullTextInfo); },
      [&] { return tqCheckArgsGetFullTextInfo(control, requests, status); },
      [&](TQGetFullTextInfoArgs& a) { a.requests = *requests; },
      [&](TQGetFullTextInfoResult& r) { tqDefHandOver(fullTextInfo, r.info); });
}

extern "C" uint32_t TQSetFullTextInfo(TQControlStruct* control,
                                      const TQFullTextInfoList* fullTextInfo,
                                      TQStatusList* status) {
  return tqDefChange<TQSetFullTextInfoArgs>(
      TQDef::kSetFullTextInfo, control, status,
      [&] { return tqCheckArgsSetFullTextInfo(control, fullTextInfo, status); },
      [&](TQSetFullTextInfoArgs& a) { a.info = *fullTextInfo; });
}

extern "C" uint32_t TQGetListSQL(TQControlStruct* control, const char* sqlCommand,
                                 uint32_t maxRetrieve, TQValueListList* valueListList,
                                 uint32_t* numMatches, TQStatusList* status) {
  return tqDefOperation<TQGetListSQLArgs, TQGetListSQLResult>(
      TQDef::kGetListSQL, control, status,
      [&] {
        tqDefClear(valueListList);
        tqDefClear(numMatches);
      },
      [&]() -> uint32_t {
        const uint32_t code = tqCheckArgsControl(control, status);
        if (code >= TQ_RETURN_ERROR) return code;
        if (sqlCommand == nullptr || sqlCommand[0] == '\0') return tqDefError(status, 261);
        if (valueListList == nullptr) return tqDefError(status, 105);
        return code;
      },
      [&](TQGetListSQLArgs& a) {
        a.sqlCommand = tqDefText(sqlCommand);
        a.maxRetrieve = maxRetrieve;
        a.countWanted = numMatches != nullptr ? 1 : 0;
      },
      [&](TQGetListSQLResult& r) {
        tqDefHandOver(valueListList, r.rows);
        if (numMatches != nullptr) *numMatches = r.numMatches;
      });
}

extern "C" uint32_t TQExecuteProcess(TQControlStruct* control, const char* command,
                                     int32_t* returnStatus, char** returnString,
                                     TQStatusList* status) {
  return tqDefOperation<TQExecuteProcessArgs, TQExecuteProcessResult>(
      TQDef::kExecuteProcess, control, status,
      [&] {
        tqDefClear(returnStatus);
        tqDefClear(returnString);
      },
      [&]() -> uint32_t {
        const uint32_t code = tqCheckArgsControl(control, status);
        if (code >= TQ_RETURN_ERROR) return code;
        if (command == nullptr || command[0] == '\0') return tqDefError(status, 117);
        return code;
      },
      [&](TQExecuteProcessArgs& a) {
        a.command = tqDefText(command);
        a.wait = returnStatus != nullptr || returnString != nullptr ? 1 : 0;
      },
      [&](TQExecuteProcessResult& r) {
        if (returnStatus != nullptr) *returnStatus = r.returnStatus;
        if (returnString != nullptr) {
          *returnString = r.output;
          r.output = nullptr;
          r.outputLength = 0;
        }
      });
}
