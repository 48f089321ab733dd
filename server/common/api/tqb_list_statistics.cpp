// TQGetEntryStatistics (procedure 6 on the query channel): one aggregate
// over the entries that match, optionally per group of the group-by fields.
// The statistic is 1 count, 2 sum, 3 average, 4 minimum or 5 maximum of the
// target; the server computes it.
#include "api/parmchck.h"
#include "api/tqb_frame.h"
#include "api/tqb_list_frame.h"
#include "api/tqb_plans.h"
#include "rpc/procedure_records_defs.h"

namespace {

constexpr const TQCallPlan& kGetEntryStatistics = kTQPlanGetEntryStatistics;
constexpr int32_t kMsgBadStatistic = 126;
constexpr uint32_t kFirstStatistic = 1;
constexpr uint32_t kLastStatistic = 5;

}  // namespace

extern "C" uint32_t TQGetEntryStatistics(TQControlStruct* control, const char* schema,
                                         TQQualifierStruct* qualifier,
                                         TQFieldValueOrArithStruct* target, uint32_t statistic,
                                         TQInternalIdList* groupBy, TQStatisticsResultList* results,
                                         TQStatusList* status) {
  return tqFrameOperation<TQGetEntryStatisticsArgs, TQGetEntryStatisticsResult>(
      kGetEntryStatistics, control, status,
      [&] {
        if (results != nullptr) *results = TQStatisticsResultList{};
      },
      [&]() -> uint32_t {
        uint32_t code = tqCheckArgsGetEntryStatistics(control, schema, qualifier, target, status);
        if (code >= TQ_RETURN_ERROR) return code;
        if (statistic < kFirstStatistic || statistic > kLastStatistic) {
          return TQAppendStatusNumber(status, TQ_MSG_ERROR, kMsgBadStatistic, statistic);
        }
        if (results == nullptr) return tqNoOutput(status);
        return code;
      },
      [&](TQGetEntryStatisticsArgs& args) {
        args.schema = const_cast<char*>(schema);
        if (qualifier != nullptr) args.qualifier = *qualifier;
        if (target != nullptr && target->tag != 0) args.target = *target;
        args.statistic = statistic;
        if (groupBy != nullptr) args.groupBy = *groupBy;
      },
      [&](TQGetEntryStatisticsResult& result) {
        *results = result.results;
        result.results = TQStatisticsResultList{};
      });
}
