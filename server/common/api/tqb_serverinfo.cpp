// TQGetServerInfo: the values of the requested server-information codes.
#include "api/parmchck.h"
#include "api/tqb_frame.h"

namespace {

constexpr TQCallPlan kGetServerInfo = tqCallPlan(kTQProcGetServerInfo);

}  // namespace

extern "C" uint32_t TQGetServerInfo(TQControlStruct* control,
                                    const TQServerInfoRequestList* requests, TQServerInfoList* info,
                                    TQStatusList* status) {
  return tqFrameOperation<TQGetServerInfoArgs, TQGetServerInfoResult>(
      kGetServerInfo, control, status,
      [&] {
        if (info != nullptr) *info = TQServerInfoList{};
      },
      [&] { return tqCheckArgsGetServerInfo(control, requests, status); },
      [&](TQGetServerInfoArgs& args) { args.requests = *requests; },
      [&](TQGetServerInfoResult& result) {
        if (info == nullptr) return;
        *info = result.info;
        result.info = TQServerInfoList{};
      });
}
