// Helpers of the list tests: a session on a server with the demo forms,
// entries made with given values, and qualification trees built node by
// node (the nodes live as long as the builder).
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "session_fixture.h"
#include "tq_test_server.h"
#include "tqlink.h"

namespace tqlists {

inline constexpr const char* kForm = "Demo:Request";
inline constexpr uint32_t kEntryId = 1;
inline constexpr uint32_t kSubmitter = 2;
inline constexpr uint32_t kAssignedTo = 4;
inline constexpr uint32_t kStatus = 7;
inline constexpr uint32_t kDescription = 8;
inline constexpr uint32_t kWorkLog = 536870913;
inline constexpr uint32_t kPriority = 536870914;
inline constexpr uint32_t kImpact = 536870915;
inline constexpr uint32_t kHours = 536870916;
inline constexpr uint32_t kCost = 536870917;

inline std::vector<std::string> demoServer(std::vector<std::string> more = {}) {
  std::vector<std::string> switches{"--forms", TQ_DEMO_FORMS};
  switches.insert(switches.end(), more.begin(), more.end());
  return switches;
}

// A field value list built item by item; the texts stay the builder's.
struct Values {
  std::deque<std::string> texts;
  std::vector<TQFieldValueStruct> items;

  Values& text(uint32_t id, const std::string& value, uint32_t type = TQ_DATA_TYPE_CHAR) {
    texts.push_back(value);
    TQFieldValueStruct item{};
    item.fieldId = id;
    item.value.dataType = type;
    item.value.u.charVal = texts.back().data();
    items.push_back(item);
    return *this;
  }
  Values& integer(uint32_t id, int32_t value) {
    TQFieldValueStruct item{};
    item.fieldId = id;
    item.value.dataType = TQ_DATA_TYPE_INTEGER;
    item.value.u.intVal = value;
    items.push_back(item);
    return *this;
  }
  Values& real(uint32_t id, double value) {
    TQFieldValueStruct item{};
    item.fieldId = id;
    item.value.dataType = TQ_DATA_TYPE_REAL;
    item.value.u.realVal = value;
    items.push_back(item);
    return *this;
  }
  Values& enumerated(uint32_t id, uint32_t value) {
    TQFieldValueStruct item{};
    item.fieldId = id;
    item.value.dataType = TQ_DATA_TYPE_ENUM;
    item.value.u.enumVal = value;
    items.push_back(item);
    return *this;
  }
  TQFieldValueList list() { return {static_cast<uint32_t>(items.size()), items.data()}; }
};

inline std::string create(tqsess::Client& c, Values values) {
  TQFieldValueList list = values.list();
  TQEntryIdType id{};
  const uint32_t code = TQCreateEntry(&c.control, kForm, &list, id, c.fresh());
  EXPECT_EQ(code, 0u) << "create: " << tqsess::appended(c.status);
  return std::string(id, strnlen(id, sizeof id));
}

inline uint32_t setValues(tqsess::Client& c, const std::string& id, Values values) {
  TQEntryIdType ids[1] = {};
  std::memcpy(ids[0], id.data(), std::min<size_t>(id.size(), TQ_MAX_ENTRYID_SIZE));
  TQEntryIdList idList{1, ids};
  TQFieldValueList list = values.list();
  return TQSetEntry(&c.control, kForm, &idList, &list, 0, 0, c.fresh());
}

// Qualification trees: every node is kept here until the builder goes.
class Qual {
 public:
  TQFieldValueOrArithStruct field(uint32_t id) {
    TQFieldValueOrArithStruct o{};
    o.tag = TQ_FIELD;
    o.u.fieldId = id;
    return o;
  }
  TQFieldValueOrArithStruct integer(int32_t n) {
    TQFieldValueOrArithStruct o{};
    o.tag = TQ_VALUE;
    o.u.value.dataType = TQ_DATA_TYPE_INTEGER;
    o.u.value.u.intVal = n;
    return o;
  }
  TQFieldValueOrArithStruct real(double d) {
    TQFieldValueOrArithStruct o{};
    o.tag = TQ_VALUE;
    o.u.value.dataType = TQ_DATA_TYPE_REAL;
    o.u.value.u.realVal = d;
    return o;
  }
  TQFieldValueOrArithStruct text(const std::string& t, uint32_t type = TQ_DATA_TYPE_CHAR) {
    texts_.push_back(t);
    TQFieldValueOrArithStruct o{};
    o.tag = TQ_VALUE;
    o.u.value.dataType = type;
    o.u.value.u.charVal = texts_.back().data();
    return o;
  }
  TQFieldValueOrArithStruct null() {
    TQFieldValueOrArithStruct o{};
    o.tag = TQ_VALUE;
    return o;
  }
  TQFieldValueOrArithStruct keyword(uint32_t number) {
    TQFieldValueOrArithStruct o{};
    o.tag = TQ_VALUE;
    o.u.value.dataType = TQ_DATA_TYPE_KEYWORD;
    o.u.value.u.keyNum = number;
    return o;
  }
  TQFieldValueOrArithStruct enumerated(uint32_t index) {
    TQFieldValueOrArithStruct o{};
    o.tag = TQ_VALUE;
    o.u.value.dataType = TQ_DATA_TYPE_ENUM;
    o.u.value.u.enumVal = index;
    return o;
  }
  TQFieldValueOrArithStruct history(uint32_t status, uint32_t userOrTime) {
    TQFieldValueOrArithStruct o{};
    o.tag = TQ_STAT_HISTORY;
    o.u.statHistory = TQStatHistoryValue{status, userOrTime};
    return o;
  }
  TQFieldValueOrArithStruct arith(uint32_t op, TQFieldValueOrArithStruct l,
                                  TQFieldValueOrArithStruct r) {
    arith_.push_back(TQArithOpStruct{op, l, r});
    TQFieldValueOrArithStruct o{};
    o.tag = TQ_ARITHMETIC;
    o.u.arithOp = &arith_.back();
    return o;
  }
  TQQualifierStruct* rel(uint32_t op, TQFieldValueOrArithStruct l, TQFieldValueOrArithStruct r) {
    rels_.push_back(TQRelOpStruct{op, l, r});
    TQQualifierStruct& q = node(TQ_COND_OP_REL_OP);
    q.u.relOp = &rels_.back();
    return &q;
  }
  TQQualifierStruct* both(uint32_t op, TQQualifierStruct* l, TQQualifierStruct* r) {
    TQQualifierStruct& q = node(op);
    q.u.andor.left = l;
    q.u.andor.right = r;
    return &q;
  }
  TQQualifierStruct* negate(TQQualifierStruct* inner) {
    TQQualifierStruct& q = node(TQ_COND_OP_NOT);
    q.u.negated = inner;
    return &q;
  }
  TQQualifierStruct* all() { return &node(TQ_COND_OP_NONE); }

 private:
  TQQualifierStruct& node(uint32_t op) {
    nodes_.push_back(TQQualifierStruct{});
    nodes_.back().operation = op;
    return nodes_.back();
  }
  std::deque<std::string> texts_;
  std::deque<TQArithOpStruct> arith_;
  std::deque<TQRelOpStruct> rels_;
  std::deque<TQQualifierStruct> nodes_;
};

// The ids of an entry list, in order.
inline std::vector<std::string> idsOf(const TQEntryListList& list) {
  std::vector<std::string> ids;
  for (uint32_t i = 0; i < list.numItems; ++i) {
    const TQEntryIdList& id = list.entryList[i].entryId;
    ids.push_back(id.numItems > 0 ? std::string(id.entryIdList[0]) : "<none>");
  }
  return ids;
}

// A list call's results, released at the end of the scope.
struct EntryList {
  TQEntryListList list{};
  uint32_t matches = 0;
  uint32_t code = 99;
  ~EntryList() { FreeTQEntryListList(&list, 0); }
};

inline void listEntries(tqsess::Client& c, TQQualifierStruct* q, EntryList* out,
                        TQSortList* sort = nullptr, uint32_t max = 0,
                        TQEntryListFieldList* fields = nullptr) {
  out->code =
      TQGetListEntry(&c.control, kForm, q, fields, sort, max, &out->list, &out->matches, c.fresh());
}

}  // namespace tqlists
