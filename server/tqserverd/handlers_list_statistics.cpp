// Procedure 6 at protocol version 6: a statistic over the entries of a form
// that match a qualification, one result per group of the group-by fields
// (groups in ascending order of their values; one group without fields).
//
// Statistics: 1 count (of the matching entries, or of those whose target is
// not null when a target is given), 2 sum, 3 average, 4 minimum and 5
// maximum of the target's values that are not null. A sum of integers is an
// integer while it fits, otherwise (and with any real value) a real; an
// average is a real; minimum and maximum keep the value's type. Without
// values the four are null.
#include <map>
#include <optional>
#include <vector>

#include "entry_values.h"
#include "handler_families.h"
#include "list_answers.h"
#include "list_search.h"
#include "rpc/procedure_records_defs.h"

namespace tqsd {
namespace {

inline constexpr int32_t kMsgBadStatistic = 9392;  // appended: the statistic

enum Statistic : uint32_t { kCount = 1, kSum = 2, kAverage = 3, kMinimum = 4, kMaximum = 5 };

struct KeyLess {
  bool operator()(const std::vector<StoredValue>& a, const std::vector<StoredValue>& b) const {
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
      const int c = orderValues(a[i], b[i]);
      if (c != 0) return c < 0;
    }
    return a.size() < b.size();
  }
};

struct Accumulator {
  uint64_t count = 0;
  uint64_t values = 0;
  bool integral = true;
  int64_t integerSum = 0;
  double realSum = 0;
  bool overflow = false;
  std::optional<StoredValue> minimum;
  std::optional<StoredValue> maximum;

  void add(const std::optional<StoredValue>& target) {
    ++count;
    if (!target || target->dataType == TQ_DATA_TYPE_NULL) return;
    const StoredValue& v = *target;
    ++values;
    if (!minimum || orderValues(v, *minimum) < 0) minimum = v;
    if (!maximum || orderValues(v, *maximum) > 0) maximum = v;
    if (v.dataType == TQ_DATA_TYPE_REAL) {
      integral = false;
      realSum += v.real;
    } else if (v.dataType == TQ_DATA_TYPE_DECIMAL || v.dataType == TQ_DATA_TYPE_CHAR) {
      integral = false;
      realSum += std::strtod(v.text.c_str(), nullptr);
    } else if (v.dataType != TQ_DATA_TYPE_DIARY) {
      realSum += static_cast<double>(v.number);
      if (__builtin_add_overflow(integerSum, v.number, &integerSum)) overflow = true;
    }
  }

  StoredValue result(uint32_t statistic, bool hasTarget) const {
    StoredValue out;
    auto integer = [&](int64_t n) {
      out.dataType = TQ_DATA_TYPE_INTEGER;
      out.number = n;
    };
    auto real = [&](double d) {
      out.dataType = TQ_DATA_TYPE_REAL;
      out.real = d;
    };
    switch (statistic) {
      case kCount:
        integer(static_cast<int64_t>(hasTarget ? values : count));
        break;
      case kSum:
        if (values == 0) break;
        if (integral && !overflow && integerSum >= INT32_MIN && integerSum <= INT32_MAX) {
          integer(integerSum);
        } else {
          real(realSum);
        }
        break;
      case kAverage:
        if (values > 0) real(realSum / static_cast<double>(values));
        break;
      case kMinimum:
        if (minimum) out = *minimum;
        break;
      default:
        if (maximum) out = *maximum;
        break;
    }
    return out;
  }
};

void getEntryStatistics(Call& call, TQGetEntryStatisticsArgs& args,
                        TQGetEntryStatisticsResult& result) {
  std::optional<Search> search = startSearch(call, args.schema);
  if (!search || !checkSearch(call, *search, args.qualifier, TQSortList{})) return;
  if (args.statistic < kCount || args.statistic > kMaximum) {
    addErrorNumber(call, kMsgBadStatistic, args.statistic);
    return;
  }
  if (!withinItemLimit(call, args.groupBy.numItems)) return;
  std::vector<uint32_t> groupFields;
  for (uint32_t i = 0; i < args.groupBy.numItems; ++i) {
    const uint32_t id = args.groupBy.internalIdList[i];
    if (search->form.field(id) == nullptr) {
      addErrorNumber(call, kMsgNoSuchField, id);
      return;
    }
    groupFields.push_back(id);
  }
  const bool hasTarget = args.target.tag != 0;
  std::map<std::vector<StoredValue>, Accumulator, KeyLess> groups;
  if (groupFields.empty()) groups[{}];
  const bool ok = forEachMatch(call, *search, args.qualifier, [&](const Entry& entry) {
    std::vector<StoredValue> key;
    for (uint32_t id : groupFields)
      key.push_back(readValue(search->form, entry, id));
    std::optional<StoredValue> target;
    if (hasTarget) target = evaluateOperand(args.target, search->context, entry);
    groups[key].add(target);
  });
  if (!ok) return;

  result.results.resultList = allocItems<TQStatisticsResultStruct>(groups.size());
  for (const auto& [key, accumulator] : groups) {
    TQStatisticsResultStruct& item = result.results.resultList[result.results.numItems];
    ++result.results.numItems;
    item.groupedBy.valueList = allocItems<TQValueStruct>(key.size());
    for (size_t i = 0; i < key.size(); ++i) {
      putWireValue(groupFields[i], key[i], call.version, &item.groupedBy.valueList[i]);
      ++item.groupedBy.numItems;
    }
    putWireValue(0, accumulator.result(args.statistic, hasTarget), call.version, &item.result);
  }
}

constexpr Handler kHandlers[] = {
    handler<TQGetEntryStatisticsArgs, TQGetEntryStatisticsResult, getEntryStatistics>(6),
};

}  // namespace

std::span<const Handler> statisticsHandlers() {
  return kHandlers;
}

}  // namespace tqsd
