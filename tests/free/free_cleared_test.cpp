// The cleared state that each release routine leaves in a record it keeps,
// for every routine that owns something. Each case fills a record with heap
// contents and then:
//  - releases a NULL record (ignored), with either flag;
//  - releases a caller-declared record twice with freeStruct 0: the first
//    call leaves the cleared state, the second finds nothing more to free;
//  - releases a heap copy with freeStruct 1 (the sanitizer build and the
//    memcheck run see a block left behind or freed twice).
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <ostream>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "free_fixture.h"
#include "tqlink.h"

using namespace freetest;

namespace {

struct ClearedCase {
  std::string name;
  std::function<void()> run;
};

void PrintTo(const ClearedCase& c, std::ostream* os) {
  *os << c.name;
}

template <class T>
ClearedCase clearedCase(std::string name, void (*release)(T*, TQBoolean),
                        std::function<void(T&)> fill, std::function<bool(const T&)> cleared) {
  return {name, [=] {
            release(nullptr, 0);
            release(nullptr, 1);

            T record{};
            fill(record);
            release(&record, 0);
            EXPECT_TRUE(cleared(record)) << "after the first release";
            release(&record, 0);
            EXPECT_TRUE(cleared(record)) << "after the second release";

            T* heap = heapRecord<T>();
            fill(*heap);
            release(heap, 1);
          }};
}

template <auto Items, class List>
using ItemOf =
    std::remove_pointer_t<std::remove_reference_t<decltype(std::declval<List&>().*Items)>>;

template <auto Items, class List, class FillItem>
void fillItems(List& list, uint32_t count, FillItem fillItem) {
  list.numItems = count;
  list.*Items = heapArray<ItemOf<Items, List>>(count);
  for (uint32_t i = 0; i < count; ++i)
    fillItem((list.*Items)[i]);
}

template <auto Items, class List>
void fillItems(List& list, uint32_t count) {
  fillItems<Items>(list, count, [](auto&) {});
}

template <auto Items, class List>
bool isEmpty(const List& list) {
  return list.numItems == 0 && list.*Items == nullptr;
}

// A list routine: the cleared state is always the empty list.
template <auto Items, class List>
ClearedCase listCase(std::string name, void (*release)(List*, TQBoolean),
                     std::type_identity_t<std::function<void(List&)>> fill) {
  return clearedCase<List>(std::move(name), release, std::move(fill), isEmpty<Items, List>);
}

// The qualification AND(field 1 = "a", NOT(field 2 = "b")) under a root
// that the caller declared.
void fillSmallTree(TQQualifierStruct& root) {
  auto* negated = heapRecord<TQQualifierStruct>();
  negated->operation = TQ_COND_OP_NOT;
  negated->u.negated = heapRelOpLeaf(2, "b");
  root.operation = TQ_COND_OP_AND;
  root.u.andor.left = heapRelOpLeaf(1, "a");
  root.u.andor.right = negated;
}

TQQualifierStruct* heapSmallTree() {
  auto* root = heapRecord<TQQualifierStruct>();
  fillSmallTree(*root);
  return root;
}

void fillValueList(TQValueList& list) {
  fillItems<&TQValueList::valueList>(list, 2, [](TQValueStruct& v) { v = charValue("v"); });
}

void fillPropList(TQPropList& list) {
  fillItems<&TQPropList::props>(list, 2, [](TQPropStruct& p) {
    p.propertyTag = 20;
    p.value = charValue("label");
  });
}

void fillDde(TQDDEStruct& dde) {
  dde.serviceName = heapText("service");
  dde.topic = heapText("topic");
  dde.item = heapText("item");
  dde.action = TQ_DDE_POKE;
  dde.pathToProgram = heapText("/bin/program");
  dde.command = heapText("command");
}

void fillAssignField(TQAssignFieldStruct& field) {
  std::strcpy(field.server, "server");
  std::strcpy(field.schema, "schema");
  fillSmallTree(field.qualifier);
  field.tag = TQ_STAT_HISTORY;
  field.u.statHistory.enumIndex = 1;
  field.u.statHistory.userOrTime = TQ_STAT_HISTORY_TIME;
  field.noMatchOption = TQ_NO_MATCH_NULL;
  field.multiMatchOption = TQ_MULTI_MATCH_FIRST;
}

void fillAssignSql(TQAssignSQLStruct& sql) {
  std::strcpy(sql.server, "server");
  sql.sqlCommand = heapText("select 1");
  sql.valueIndex = 1;
}

// One assignment of each type, by type.
void fillAssign(TQAssignStruct& assign, uint32_t type) {
  assign.assignType = type;
  switch (type) {
    case TQ_ASSIGN_TYPE_VALUE:
      assign.u.value = charValue("value");
      break;
    case TQ_ASSIGN_TYPE_FIELD:
      assign.u.field = heapRecord<TQAssignFieldStruct>();
      fillAssignField(*assign.u.field);
      break;
    case TQ_ASSIGN_TYPE_PROCESS:
      assign.u.process = heapText("$PROCESS$ echo");
      break;
    case TQ_ASSIGN_TYPE_ARITH:
      assign.u.arithOp = heapRecord<TQArithOpAssignStruct>();
      assign.u.arithOp->operation = TQ_ARITH_OP_ADD;
      fillAssign(assign.u.arithOp->left, TQ_ASSIGN_TYPE_VALUE);
      fillAssign(assign.u.arithOp->right, TQ_ASSIGN_TYPE_PROCESS);
      break;
    case TQ_ASSIGN_TYPE_FUNCTION:
      assign.u.function = heapRecord<TQFunctionAssignStruct>();
      assign.u.function->functionCode = TQ_FUNCTION_DATE;
      fillItems<&TQFunctionAssignStruct::parameterList>(
          *assign.u.function, 2, [](TQAssignStruct& p) { fillAssign(p, TQ_ASSIGN_TYPE_FIELD); });
      break;
    case TQ_ASSIGN_TYPE_DDE:
      assign.u.dde = heapRecord<TQDDEStruct>();
      fillDde(*assign.u.dde);
      break;
    case TQ_ASSIGN_TYPE_SQL:
      assign.u.sql = heapRecord<TQAssignSQLStruct>();
      fillAssignSql(*assign.u.sql);
      break;
  }
}

void fillFieldAssignList(TQFieldAssignList& list) {
  uint32_t type = TQ_ASSIGN_TYPE_VALUE;
  fillItems<&TQFieldAssignList::fieldAssignList>(list, 7, [&type](TQFieldAssignStruct& f) {
    f.fieldId = 536870913;
    fillAssign(f.assignment, type++);
  });
}

void fillPushFields(TQPushFieldsList& list) {
  fillItems<&TQPushFieldsList::pushFieldsList>(list, 2, [](TQPushFieldsStruct& p) {
    fillAssignField(p.field);
    fillAssign(p.assign, TQ_ASSIGN_TYPE_ARITH);
  });
}

void fillSql(TQSQLStruct& sql) {
  std::strcpy(sql.server, "server");
  sql.sqlCommand = heapText("update t set c = 1");
}

void fillFilterAction(TQFilterActionStruct& action, uint32_t type) {
  action.action = type;
  switch (type) {
    case TQ_FILTER_ACTION_NOTIFY:
      action.u.notify.user = heapText("user");
      action.u.notify.notifyText = heapText("text");
      action.u.notify.subjectText = heapText("subject");
      action.u.notify.fieldIdListType = TQ_FILTER_FIELD_IDS_LIST;
      fillItems<&TQInternalIdList::internalIdList>(action.u.notify.fieldIdList, 3);
      break;
    case TQ_FILTER_ACTION_MESSAGE:
      action.u.message.messageText = heapText("message");
      break;
    case TQ_FILTER_ACTION_LOG:
      action.u.logFile = heapText("/tmp/log");
      break;
    case TQ_FILTER_ACTION_FIELDS:
      fillFieldAssignList(action.u.setFields);
      break;
    case TQ_FILTER_ACTION_PROCESS:
      action.u.process = heapText("process");
      break;
    case TQ_FILTER_ACTION_FIELDP:
      fillPushFields(action.u.pushFields);
      break;
    case TQ_FILTER_ACTION_SQL:
      fillSql(action.u.sqlCommand);
      break;
  }
}

void fillMethodValue(TQMethodValueStruct& value) {
  value.name = heapText("type");
  value.kind = TQ_METHOD_VALUE_VALUE;
  value.u.value = charValue("value");
}

void fillActiveLinkAction(TQActiveLinkActionStruct& action, uint32_t type) {
  action.action = type;
  switch (type) {
    case TQ_ACTIVE_LINK_ACTION_MACRO:
      std::strcpy(action.u.macro.macroName, "macro");
      action.u.macro.macroText = heapText("macro text");
      fillItems<&TQMacroParmList::parms>(action.u.macro.macroParms, 2,
                                         [](TQMacroParmStruct& p) { p.value = heapText("v"); });
      break;
    case TQ_ACTIVE_LINK_ACTION_FIELDS:
      fillFieldAssignList(action.u.setFields);
      break;
    case TQ_ACTIVE_LINK_ACTION_PROCESS:
      action.u.process = heapText("process");
      break;
    case TQ_ACTIVE_LINK_ACTION_MESSAGE:
      action.u.message.messageType = TQ_MSG_PROMPT;
      action.u.message.messageText = heapText("prompt");
      break;
    case TQ_ACTIVE_LINK_ACTION_SET_CHAR:
      action.u.characteristics.fieldId = 8;
      action.u.characteristics.charMenu = heapText("menu");
      fillPropList(action.u.characteristics.props);
      break;
    case TQ_ACTIVE_LINK_ACTION_DDE:
      fillDde(action.u.dde);
      break;
    case TQ_ACTIVE_LINK_ACTION_FIELDP:
      fillPushFields(action.u.pushFields);
      break;
    case TQ_ACTIVE_LINK_ACTION_SQL:
      fillSql(action.u.sqlCommand);
      break;
    case TQ_ACTIVE_LINK_ACTION_METHOD:
      action.u.methodCall.serverName = heapText("server");
      action.u.methodCall.classId = heapText("class");
      action.u.methodCall.actionText = heapText("action");
      fillItems<&TQMethodList::methodList>(
          action.u.methodCall.methodList, 2, [](TQMethodStruct& m) {
            m.methodName = heapText("method");
            fillMethodValue(m.returnValue);
            fillItems<&TQMethodParmList::parameterList>(m.parameters, 2, [](TQMethodParmStruct& p) {
              p.name = heapText("parm");
              fillMethodValue(p.value);
            });
          });
      break;
    case TQ_ACTIVE_LINK_ACTION_OPENDLG:
      fillFieldAssignList(action.u.openDialog.inputValueFieldPairs);
      fillFieldAssignList(action.u.openDialog.outputValueFieldPairs);
      break;
    case TQ_ACTIVE_LINK_ACTION_GOTOGUIDELABEL:
      action.u.gotoGuideLabel.label = heapText("label");
      break;
    case TQ_ACTIVE_LINK_ACTION_WAIT:
      action.u.waitAction.continueButtonTitle = heapText("Continue");
      break;
  }
}

// A LIST menu: a value item and a sub-menu holding one value item.
void fillListMenu(TQCharMenuStruct& menu) {
  menu.menuType = TQ_CHAR_MENU_LIST;
  fillItems<&TQCharMenuList::charMenuList>(menu.u.menuList, 2);
  TQCharMenuItemStruct* items = menu.u.menuList.charMenuList;
  items[0].itemType = TQ_MENU_ITEM_VALUE;
  items[0].u.value = heapText("value");
  items[1].itemType = TQ_MENU_ITEM_MENU;
  items[1].u.childMenu = heapRecord<TQCharMenuStruct>();
  TQCharMenuStruct& child = *items[1].u.childMenu;
  child.menuType = TQ_CHAR_MENU_LIST;
  fillItems<&TQCharMenuList::charMenuList>(child.u.menuList, 1, [](TQCharMenuItemStruct& i) {
    i.itemType = TQ_MENU_ITEM_VALUE;
    i.u.value = heapText("child value");
  });
}

bool valueCleared(const TQValueStruct& v) {
  return v.dataType == TQ_DATA_TYPE_NULL;
}

std::vector<ClearedCase> valueCases() {
  std::vector<ClearedCase> cases;
  auto value = [&cases](std::string name, std::function<void(TQValueStruct&)> fill) {
    cases.push_back(clearedCase<TQValueStruct>("ValueStruct_" + name, FreeTQValueStruct,
                                               std::move(fill), valueCleared));
  };
  value("Char", [](TQValueStruct& v) { v = charValue("text"); });
  value("Diary", [](TQValueStruct& v) {
    v.dataType = TQ_DATA_TYPE_DIARY;
    v.u.diaryVal = heapText("diary");
  });
  value("Decimal", [](TQValueStruct& v) {
    v.dataType = TQ_DATA_TYPE_DECIMAL;
    v.u.decimalVal = heapText("12.50");
  });
  value("ByteList", [](TQValueStruct& v) {
    v.dataType = TQ_DATA_TYPE_BYTES;
    v.u.byteListVal = heapRecord<TQByteList>();
    fillItems<&TQByteList::bytes>(*v.u.byteListVal, 3);
  });
  value("Attachment", [](TQValueStruct& v) {
    v.dataType = TQ_DATA_TYPE_ATTACH;
    v.u.attachVal = heapRecord<TQAttachStruct>();
    v.u.attachVal->name = heapText("a.txt");
    v.u.attachVal->loc.locationType = TQ_LOC_BUFFER;
    v.u.attachVal->loc.u.buf.bufferSize = 4;
    v.u.attachVal->loc.u.buf.buffer = heapArray<unsigned char>(4);
  });
  value("CoordList", [](TQValueStruct& v) {
    v.dataType = TQ_DATA_TYPE_COORDS;
    v.u.coordListVal = heapRecord<TQCoordList>();
    fillItems<&TQCoordList::coords>(*v.u.coordListVal, 2);
  });
  // An integer owns nothing: only the data type is cleared.
  cases.push_back(clearedCase<TQValueStruct>(
      "ValueStruct_Integer", FreeTQValueStruct, [](TQValueStruct& v) { v = intValue(42); },
      [](const TQValueStruct& v) { return v.dataType == TQ_DATA_TYPE_NULL && v.u.intVal == 42; }));

  cases.push_back(clearedCase<TQByteList>(
      "ByteList", FreeTQByteList,
      [](TQByteList& b) {
        b.type = 7;
        fillItems<&TQByteList::bytes>(b, 5);
      },
      [](const TQByteList& b) { return isEmpty<&TQByteList::bytes>(b) && b.type == 7; }));
  cases.push_back(clearedCase<TQLocStruct>(
      "LocStruct_File", FreeTQLocStruct,
      [](TQLocStruct& l) {
        l.locationType = TQ_LOC_FILENAME;
        l.u.filename = heapText("/tmp/file");
      },
      [](const TQLocStruct& l) { return l.locationType == 0; }));
  cases.push_back(clearedCase<TQLocStruct>(
      "LocStruct_Buffer", FreeTQLocStruct,
      [](TQLocStruct& l) {
        l.locationType = TQ_LOC_BUFFER;
        l.u.buf.bufferSize = 8;
        l.u.buf.buffer = heapArray<unsigned char>(8);
      },
      [](const TQLocStruct& l) {
        return l.locationType == 0 && l.u.buf.bufferSize == 0 && l.u.buf.buffer == nullptr;
      }));
  cases.push_back(clearedCase<TQAttachStruct>(
      "AttachStruct", FreeTQAttachStruct,
      [](TQAttachStruct& a) {
        a.name = heapText("a.txt");
        a.originalSize = 10;
        a.compressedSize = 6;
        a.loc.locationType = TQ_LOC_FILENAME;
        a.loc.u.filename = heapText("/tmp/a.txt");
      },
      [](const TQAttachStruct& a) {
        return a.name == nullptr && a.originalSize == 0 && a.compressedSize == 0 &&
               a.loc.locationType == 0;
      }));
  cases.push_back(clearedCase<TQFieldValueStruct>(
      "FieldValueStruct", FreeTQFieldValueStruct,
      [](TQFieldValueStruct& f) {
        f.fieldId = 8;
        f.value = charValue("x");
      },
      [](const TQFieldValueStruct& f) { return valueCleared(f.value) && f.fieldId == 8; }));
  cases.push_back(clearedCase<TQMessageStruct>(
      "MessageStruct", FreeTQMessageStruct,
      [](TQMessageStruct& m) { m.messageText = heapText("message"); },
      [](const TQMessageStruct& m) { return m.messageText == nullptr; }));
  return cases;
}

std::vector<ClearedCase> entryListCases() {
  auto fieldValues = [](TQFieldValueList& l) {
    fillItems<&TQFieldValueList::fieldValueList>(
        l, 2, [](TQFieldValueStruct& f) { f.value = charValue("fv"); });
  };
  auto entryIds = [](TQEntryIdList& l) {
    fillItems<&TQEntryIdList::entryIdList>(l, 2);
    std::strcpy(l.entryIdList[0], "000000000000001");
  };
  return {
      listCase<&TQValueList::valueList>("ValueList", FreeTQValueList, fillValueList),
      listCase<&TQValueListList::valueListList>("ValueListList", FreeTQValueListList,
                                                [](TQValueListList& l) {
                                                  fillItems<&TQValueListList::valueListList>(
                                                      l, 2, fillValueList);
                                                }),
      listCase<&TQCoordList::coords>("CoordList", FreeTQCoordList,
                                     [](TQCoordList& l) { fillItems<&TQCoordList::coords>(l, 3); }),
      listCase<&TQFieldValueList::fieldValueList>("FieldValueList", FreeTQFieldValueList,
                                                  fieldValues),
      listCase<&TQFieldValueListList::valueListList>(
          "FieldValueListList", FreeTQFieldValueListList,
          [=](TQFieldValueListList& l) {
            fillItems<&TQFieldValueListList::valueListList>(l, 2, fieldValues);
          }),
      listCase<&TQEntryIdList::entryIdList>("EntryIdList", FreeTQEntryIdList, entryIds),
      listCase<&TQEntryIdListList::entryIdListList>(
          "EntryIdListList", FreeTQEntryIdListList,
          [=](TQEntryIdListList& l) {
            fillItems<&TQEntryIdListList::entryIdListList>(l, 2, entryIds);
          }),
      listCase<&TQEntryListList::entryList>("EntryListList", FreeTQEntryListList,
                                            [=](TQEntryListList& l) {
                                              fillItems<&TQEntryListList::entryList>(
                                                  l, 2, [=](TQEntryListStruct& e) {
                                                    entryIds(e.entryId);
                                                    e.shortDescription = heapText("row");
                                                  });
                                            }),
      listCase<&TQEntryListFieldList::fieldsList>(
          "EntryListFieldList", FreeTQEntryListFieldList,
          [](TQEntryListFieldList& l) { fillItems<&TQEntryListFieldList::fieldsList>(l, 2); }),
      listCase<&TQEntryListFieldValueList::entryList>(
          "EntryListFieldValueList", FreeTQEntryListFieldValueList,
          [=](TQEntryListFieldValueList& l) {
            fillItems<&TQEntryListFieldValueList::entryList>(
                l, 2, [=](TQEntryListFieldValueStruct& e) {
                  entryIds(e.entryId);
                  e.fieldValues = heapRecord<TQFieldValueList>();
                  fieldValues(*e.fieldValues);
                });
          }),
      listCase<&TQStatusList::statusList>("StatusList", FreeTQStatusList,
                                          [](TQStatusList& l) {
                                            fillItems<&TQStatusList::statusList>(
                                                l, 2, [](TQStatusStruct& s) {
                                                  s.messageText = heapText("text");
                                                  s.appendedText = heapText("appended");
                                                });
                                          }),
      listCase<&TQInternalIdList::internalIdList>(
          "InternalIdList", FreeTQInternalIdList,
          [](TQInternalIdList& l) { fillItems<&TQInternalIdList::internalIdList>(l, 4); }),
      listCase<&TQNameList::nameList>(
          "NameList", FreeTQNameList,
          [](TQNameList& l) { fillItems<&TQNameList::nameList>(l, 2); }),
      listCase<&TQServerNameList::nameList>(
          "ServerNameList", FreeTQServerNameList,
          [](TQServerNameList& l) { fillItems<&TQServerNameList::nameList>(l, 2); }),
      listCase<&TQBooleanList::booleanList>(
          "BooleanList", FreeTQBooleanList,
          [](TQBooleanList& l) { fillItems<&TQBooleanList::booleanList>(l, 3); }),
      listCase<&TQBooleanMatrix::booleanList>(
          "BooleanMatrix", FreeTQBooleanMatrix,
          [](TQBooleanMatrix& m) {
            fillItems<&TQBooleanMatrix::booleanList>(
                m, 2, [](TQBooleanList& row) { fillItems<&TQBooleanList::booleanList>(row, 3); });
          }),
      listCase<&TQSortList::sortList>(
          "SortList", FreeTQSortList,
          [](TQSortList& l) { fillItems<&TQSortList::sortList>(l, 2); }),
      listCase<&TQStatisticsResultList::resultList>(
          "StatisticsResultList", FreeTQStatisticsResultList,
          [](TQStatisticsResultList& l) {
            fillItems<&TQStatisticsResultList::resultList>(l, 2, [](TQStatisticsResultStruct& r) {
              fillValueList(r.groupedBy);
              r.result = charValue("3");
            });
          }),
      listCase<&TQDiaryList::diaryList>("DiaryList", FreeTQDiaryList,
                                        [](TQDiaryList& l) {
                                          fillItems<&TQDiaryList::diaryList>(
                                              l, 2,
                                              [](TQDiaryStruct& d) { d.value = heapText("d"); });
                                        }),
      listCase<&TQStatusHistoryList::statHistList>(
          "StatusHistoryList", FreeTQStatusHistoryList,
          [](TQStatusHistoryList& l) { fillItems<&TQStatusHistoryList::statHistList>(l, 3); }),
  };
}

std::vector<ClearedCase> qualificationCases() {
  auto queryOperand = [](TQFieldValueOrArithStruct& o) {
    o.tag = TQ_QUERY;
    o.u.queryValue = heapRecord<TQQueryValueStruct>();
    std::strcpy(o.u.queryValue->schema, "schema");
    o.u.queryValue->qualifier = heapSmallTree();
    o.u.queryValue->valueFieldId = 1;
    o.u.queryValue->multiValueCode = TQ_QUERY_VALUE_MULTI_FIRST;
  };
  auto arithOperand = [](TQFieldValueOrArithStruct& o) {
    o.tag = TQ_ARITHMETIC;
    o.u.arithOp = heapRecord<TQArithOpStruct>();
    o.u.arithOp->operation = TQ_ARITH_OP_ADD;
    o.u.arithOp->left.tag = TQ_VALUE_SET;
    fillValueList(o.u.arithOp->left.u.valueSet);
    o.u.arithOp->right.tag = TQ_VALUE;
    o.u.arithOp->right.u.value = charValue("1");
  };
  return {
      clearedCase<TQQualifierStruct>(
          "QualifierStruct", FreeTQQualifierStruct, fillSmallTree,
          [](const TQQualifierStruct& q) { return q.operation == TQ_COND_OP_NONE; }),
      clearedCase<TQRelOpStruct>(
          "RelOpStruct", FreeTQRelOpStruct,
          [=](TQRelOpStruct& r) {
            r.operation = TQ_REL_OP_LESS;
            arithOperand(r.left);
            queryOperand(r.right);
          },
          [](const TQRelOpStruct& r) { return r.left.tag == 0 && r.right.tag == 0; }),
      clearedCase<TQArithOpStruct>(
          "ArithOpStruct", FreeTQArithOpStruct,
          [=](TQArithOpStruct& a) {
            a.operation = TQ_ARITH_OP_MULTIPLY;
            arithOperand(a.left);
            queryOperand(a.right);
          },
          [](const TQArithOpStruct& a) { return a.left.tag == 0 && a.right.tag == 0; }),
      clearedCase<TQFieldValueOrArithStruct>("FieldValueOrArith_Query",
                                             FreeTQFieldValueOrArithStruct, queryOperand,
                                             [](const TQFieldValueOrArithStruct& o) {
                                               return o.tag == 0 && o.u.queryValue == nullptr;
                                             }),
      clearedCase<TQFieldValueOrArithStruct>(
          "FieldValueOrArith_Arith", FreeTQFieldValueOrArithStruct, arithOperand,
          [](const TQFieldValueOrArithStruct& o) { return o.tag == 0; }),
      clearedCase<TQQueryValueStruct>(
          "QueryValueStruct", FreeTQQueryValueStruct,
          [](TQQueryValueStruct& q) { q.qualifier = heapSmallTree(); },
          [](const TQQueryValueStruct& q) { return q.qualifier == nullptr; }),
  };
}

std::vector<ClearedCase> schemaFieldCases() {
  std::vector<ClearedCase> cases;
  auto limit = [&cases](std::string name, std::function<void(TQFieldLimitStruct&)> fill) {
    cases.push_back(clearedCase<TQFieldLimitStruct>(
        "FieldLimit_" + name, FreeTQFieldLimitStruct, std::move(fill),
        [](const TQFieldLimitStruct& l) { return l.dataType == TQ_DATA_TYPE_NULL; }));
  };
  limit("Char", [](TQFieldLimitStruct& l) {
    l.dataType = TQ_DATA_TYPE_CHAR;
    l.u.charLimits.pattern = heapText("[0-9]");
  });
  limit("Enum", [](TQFieldLimitStruct& l) {
    l.dataType = TQ_DATA_TYPE_ENUM;
    fillItems<&TQNameList::nameList>(l.u.enumLimits, 3);
  });
  limit("Bitmask", [](TQFieldLimitStruct& l) {
    l.dataType = TQ_DATA_TYPE_BITMASK;
    fillItems<&TQNameList::nameList>(l.u.maskLimits, 2);
  });
  limit("Decimal", [](TQFieldLimitStruct& l) {
    l.dataType = TQ_DATA_TYPE_DECIMAL;
    l.u.decimalLimits.rangeLow = heapText("0.00");
    l.u.decimalLimits.rangeHigh = heapText("99.99");
  });
  limit("Table", [](TQFieldLimitStruct& l) {
    l.dataType = TQ_DATA_TYPE_TABLE;
    fillSmallTree(l.u.tableLimits.qualifier);
  });

  auto schema = [&cases](std::string name, std::function<void(TQCompoundSchema&)> fill) {
    cases.push_back(clearedCase<TQCompoundSchema>(
        "CompoundSchema_" + name, FreeTQCompoundSchema, std::move(fill),
        [](const TQCompoundSchema& s) { return s.schemaType == TQ_SCHEMA_NONE; }));
  };
  schema("Join", [](TQCompoundSchema& s) {
    s.schemaType = TQ_SCHEMA_JOIN;
    fillSmallTree(s.u.join.joinQual);
  });
  schema("View", [](TQCompoundSchema& s) {
    s.schemaType = TQ_SCHEMA_VIEW;
    s.u.view.viewQual = heapText("a = 1");
  });

  cases.push_back(clearedCase<TQPropStruct>(
      "PropStruct", FreeTQPropStruct,
      [](TQPropStruct& p) {
        p.propertyTag = 20;
        p.value = charValue("x");
      },
      [](const TQPropStruct& p) { return p.propertyTag == 0 && valueCleared(p.value); }));
  cases.push_back(listCase<&TQPropList::props>("PropList", FreeTQPropList, fillPropList));
  cases.push_back(clearedCase<TQDisplayInstanceList>(
      "DisplayInstanceList", FreeTQDisplayInstanceList,
      [](TQDisplayInstanceList& l) {
        fillPropList(l.commonProps);
        fillItems<&TQDisplayInstanceList::dInstanceList>(
            l, 2, [](TQDisplayInstanceStruct& d) { fillPropList(d.props); });
      },
      [](const TQDisplayInstanceList& l) {
        return isEmpty<&TQPropList::props>(l.commonProps) &&
               isEmpty<&TQDisplayInstanceList::dInstanceList>(l);
      }));
  cases.push_back(listCase<&TQPermissionList::permissionList>(
      "PermissionList", FreeTQPermissionList,
      [](TQPermissionList& l) { fillItems<&TQPermissionList::permissionList>(l, 2); }));
  cases.push_back(listCase<&TQGroupInfoList::groupList>(
      "GroupInfoList", FreeTQGroupInfoList, [](TQGroupInfoList& l) {
        fillItems<&TQGroupInfoList::groupList>(
            l, 2, [](TQGroupInfoStruct& g) { fillItems<&TQNameList::nameList>(g.groupName, 2); });
      }));
  cases.push_back(listCase<&TQUserLicenseList::licenseList>(
      "UserLicenseList", FreeTQUserLicenseList,
      [](TQUserLicenseList& l) { fillItems<&TQUserLicenseList::licenseList>(l, 2); }));
  cases.push_back(listCase<&TQUserInfoList::userList>(
      "UserInfoList", FreeTQUserInfoList, [](TQUserInfoList& l) {
        fillItems<&TQUserInfoList::userList>(l, 2, [](TQUserInfoStruct& u) {
          fillItems<&TQUserLicenseList::licenseList>(u.licenseInfo, 2);
          u.emailAddress = heapText("user@example.org");
        });
      }));
  cases.push_back(listCase<&TQIndexList::indexList>(
      "IndexList", FreeTQIndexList,
      [](TQIndexList& l) { fillItems<&TQIndexList::indexList>(l, 2); }));
  cases.push_back(listCase<&TQDisplayList::displayList>(
      "DisplayList", FreeTQDisplayList,
      [](TQDisplayList& l) { fillItems<&TQDisplayList::displayList>(l, 2); }));
  return cases;
}

std::vector<ClearedCase> menuCases() {
  std::vector<ClearedCase> cases;
  auto menu = [&cases](std::string name, std::function<void(TQCharMenuStruct&)> fill) {
    cases.push_back(clearedCase<TQCharMenuStruct>(
        "CharMenu_" + name, FreeTQCharMenuStruct, std::move(fill),
        [](const TQCharMenuStruct& m) { return m.menuType == TQ_CHAR_MENU_NONE; }));
  };
  menu("List", fillListMenu);
  menu("Query", [](TQCharMenuStruct& m) {
    m.menuType = TQ_CHAR_MENU_QUERY;
    fillSmallTree(m.u.menuQuery.qualifier);
  });
  menu("File", [](TQCharMenuStruct& m) {
    m.menuType = TQ_CHAR_MENU_FILE;
    m.u.menuFile.fileLocation = TQ_MENU_FILE_CLIENT;
    m.u.menuFile.filename = heapText("/tmp/menu");
  });
  menu("Sql", [](TQCharMenuStruct& m) {
    m.menuType = TQ_CHAR_MENU_SQL;
    m.u.menuSQL.sqlCommand = heapText("select a, b from t");
  });
  auto itemCleared = [](const TQCharMenuItemStruct& i) { return i.itemType == TQ_MENU_ITEM_NONE; };
  cases.push_back(clearedCase<TQCharMenuItemStruct>(
      "CharMenuItem_Value", FreeTQCharMenuItemStruct,
      [](TQCharMenuItemStruct& i) {
        i.itemType = TQ_MENU_ITEM_VALUE;
        i.u.value = heapText("value");
      },
      itemCleared));
  cases.push_back(clearedCase<TQCharMenuItemStruct>(
      "CharMenuItem_Menu", FreeTQCharMenuItemStruct,
      [](TQCharMenuItemStruct& i) {
        i.itemType = TQ_MENU_ITEM_MENU;
        i.u.childMenu = heapRecord<TQCharMenuStruct>();
        fillListMenu(*i.u.childMenu);
      },
      itemCleared));
  cases.push_back(listCase<&TQCharMenuList::charMenuList>("CharMenuList", FreeTQCharMenuList,
                                                          [](TQCharMenuList& l) {
                                                            TQCharMenuStruct menu{};
                                                            fillListMenu(menu);
                                                            l = menu.u.menuList;
                                                          }));
  return cases;
}

std::vector<ClearedCase> assignmentCases() {
  std::vector<ClearedCase> cases;
  const char* names[] = {"", "Value", "Field", "Process", "Arith", "Function", "Dde", "Sql"};
  for (uint32_t type = TQ_ASSIGN_TYPE_VALUE; type <= TQ_ASSIGN_TYPE_SQL; ++type) {
    cases.push_back(clearedCase<TQAssignStruct>(
        std::string("Assign_") + names[type], FreeTQAssignStruct,
        [type](TQAssignStruct& a) { fillAssign(a, type); },
        [](const TQAssignStruct& a) { return a.assignType == TQ_ASSIGN_TYPE_NONE; }));
  }
  cases.push_back(clearedCase<TQAssignFieldStruct>(
      "AssignFieldStruct", FreeTQAssignFieldStruct, fillAssignField,
      [](const TQAssignFieldStruct& f) {
        return f.qualifier.operation == TQ_COND_OP_NONE && f.tag == TQ_FIELD;
      }));
  cases.push_back(clearedCase<TQAssignSQLStruct>(
      "AssignSQLStruct", FreeTQAssignSQLStruct, fillAssignSql,
      [](const TQAssignSQLStruct& s) { return s.server[0] == '\0' && s.sqlCommand == nullptr; }));
  cases.push_back(clearedCase<TQSQLStruct>(
      "SQLStruct", FreeTQSQLStruct, fillSql,
      [](const TQSQLStruct& s) { return s.server[0] == '\0' && s.sqlCommand == nullptr; }));
  cases.push_back(clearedCase<TQArithOpAssignStruct>(
      "ArithOpAssignStruct", FreeTQArithOpAssignStruct,
      [](TQArithOpAssignStruct& a) {
        a.operation = TQ_ARITH_OP_SUBTRACT;
        fillAssign(a.left, TQ_ASSIGN_TYPE_FUNCTION);
        fillAssign(a.right, TQ_ASSIGN_TYPE_ARITH);
      },
      [](const TQArithOpAssignStruct& a) {
        return a.left.assignType == TQ_ASSIGN_TYPE_NONE &&
               a.right.assignType == TQ_ASSIGN_TYPE_NONE;
      }));
  cases.push_back(clearedCase<TQFunctionAssignStruct>(
      "FunctionAssignStruct", FreeTQFunctionAssignStruct,
      [](TQFunctionAssignStruct& f) {
        f.functionCode = TQ_FUNCTION_MAX;
        fillItems<&TQFunctionAssignStruct::parameterList>(
            f, 2, [](TQAssignStruct& p) { fillAssign(p, TQ_ASSIGN_TYPE_SQL); });
      },
      isEmpty<&TQFunctionAssignStruct::parameterList, TQFunctionAssignStruct>));
  cases.push_back(
      clearedCase<TQDDEStruct>("DDEStruct", FreeTQDDEStruct, fillDde, [](const TQDDEStruct& d) {
        return d.serviceName == nullptr && d.topic == nullptr && d.item == nullptr &&
               d.pathToProgram == nullptr && d.command == nullptr;
      }));
  cases.push_back(clearedCase<TQFieldAssignStruct>(
      "FieldAssignStruct", FreeTQFieldAssignStruct,
      [](TQFieldAssignStruct& f) { fillAssign(f.assignment, TQ_ASSIGN_TYPE_FIELD); },
      [](const TQFieldAssignStruct& f) { return f.assignment.assignType == TQ_ASSIGN_TYPE_NONE; }));
  cases.push_back(listCase<&TQFieldAssignList::fieldAssignList>(
      "FieldAssignList", FreeTQFieldAssignList, fillFieldAssignList));
  cases.push_back(listCase<&TQPushFieldsList::pushFieldsList>(
      "PushFieldsList", FreeTQPushFieldsList, fillPushFields));
  return cases;
}

std::vector<ClearedCase> actionCases() {
  std::vector<ClearedCase> cases;
  for (uint32_t type = TQ_FILTER_ACTION_NOTIFY; type <= TQ_FILTER_ACTION_SQL; ++type) {
    cases.push_back(clearedCase<TQFilterActionStruct>(
        "FilterAction_" + std::to_string(type), FreeTQFilterActionStruct,
        [type](TQFilterActionStruct& a) { fillFilterAction(a, type); },
        [](const TQFilterActionStruct& a) { return a.action == TQ_FILTER_ACTION_NONE; }));
  }
  cases.push_back(listCase<&TQFilterActionList::actionList>(
      "FilterActionList", FreeTQFilterActionList, [](TQFilterActionList& l) {
        uint32_t type = TQ_FILTER_ACTION_NOTIFY;
        fillItems<&TQFilterActionList::actionList>(
            l, 7, [&type](TQFilterActionStruct& a) { fillFilterAction(a, type++); });
      }));
  const uint32_t owning[] = {TQ_ACTIVE_LINK_ACTION_MACRO,          TQ_ACTIVE_LINK_ACTION_FIELDS,
                             TQ_ACTIVE_LINK_ACTION_PROCESS,        TQ_ACTIVE_LINK_ACTION_MESSAGE,
                             TQ_ACTIVE_LINK_ACTION_SET_CHAR,       TQ_ACTIVE_LINK_ACTION_DDE,
                             TQ_ACTIVE_LINK_ACTION_FIELDP,         TQ_ACTIVE_LINK_ACTION_SQL,
                             TQ_ACTIVE_LINK_ACTION_METHOD,         TQ_ACTIVE_LINK_ACTION_OPENDLG,
                             TQ_ACTIVE_LINK_ACTION_GOTOGUIDELABEL, TQ_ACTIVE_LINK_ACTION_WAIT};
  for (uint32_t type : owning) {
    cases.push_back(clearedCase<TQActiveLinkActionStruct>(
        "ActiveLinkAction_" + std::to_string(type), FreeTQActiveLinkActionStruct,
        [type](TQActiveLinkActionStruct& a) { fillActiveLinkAction(a, type); },
        [](const TQActiveLinkActionStruct& a) { return a.action == TQ_ACTIVE_LINK_ACTION_NONE; }));
  }
  cases.push_back(listCase<&TQActiveLinkActionList::actionList>(
      "ActiveLinkActionList", FreeTQActiveLinkActionList, [owning](TQActiveLinkActionList& l) {
        const uint32_t* type = owning;
        fillItems<&TQActiveLinkActionList::actionList>(
            l, 12, [&type](TQActiveLinkActionStruct& a) { fillActiveLinkAction(a, *type++); });
      }));
  return cases;
}

std::vector<ClearedCase> containerAndServerCases() {
  auto reference = [](TQReferenceStruct& r) {
    r.label = heapText("label");
    r.description = heapText("description");
    r.type = 32793;
    r.dataType = TQ_REF_DATA_EXTERNAL;
    fillItems<&TQInternalIdList::internalIdList>(r.u.extRef.permittedGroups, 2);
    r.u.extRef.value = charValue("http://example.org/");
  };
  return {
      listCase<&TQStructItemList::structItemList>(
          "StructItemList", FreeTQStructItemList,
          [](TQStructItemList& l) { fillItems<&TQStructItemList::structItemList>(l, 2); }),
      listCase<&TQContainerOwnerObjList::ownerObjList>(
          "ContainerOwnerObjList", FreeTQContainerOwnerObjList,
          [](TQContainerOwnerObjList& l) {
            fillItems<&TQContainerOwnerObjList::ownerObjList>(l, 2);
          }),
      listCase<&TQContainerTypeList::type>(
          "ContainerTypeList", FreeTQContainerTypeList,
          [](TQContainerTypeList& l) { fillItems<&TQContainerTypeList::type>(l, 2); }),
      listCase<&TQReferenceTypeList::refType>(
          "ReferenceTypeList", FreeTQReferenceTypeList,
          [](TQReferenceTypeList& l) { fillItems<&TQReferenceTypeList::refType>(l, 2); }),
      clearedCase<TQReferenceStruct>("ReferenceStruct", FreeTQReferenceStruct, reference,
                                     [](const TQReferenceStruct& r) {
                                       return r.label == nullptr && r.description == nullptr;
                                     }),
      listCase<&TQReferenceList::referenceList>(
          "ReferenceList", FreeTQReferenceList,
          [=](TQReferenceList& l) { fillItems<&TQReferenceList::referenceList>(l, 2, reference); }),
      listCase<&TQContainerInfoList::conInfoList>(
          "ContainerInfoList", FreeTQContainerInfoList,
          [](TQContainerInfoList& l) { fillItems<&TQContainerInfoList::conInfoList>(l, 2); }),
      listCase<&TQServerInfoRequestList::requestList>(
          "ServerInfoRequestList", FreeTQServerInfoRequestList,
          [](TQServerInfoRequestList& l) {
            fillItems<&TQServerInfoRequestList::requestList>(l, 3);
          }),
      listCase<&TQServerInfoList::serverInfoList>("ServerInfoList", FreeTQServerInfoList,
                                                  [](TQServerInfoList& l) {
                                                    fillItems<&TQServerInfoList::serverInfoList>(
                                                        l, 2, [](TQServerInfoStruct& s) {
                                                          s.operation = 10;
                                                          s.value = charValue("/var/tq");
                                                        });
                                                  }),
      listCase<&TQFullTextInfoRequestList::requestList>(
          "FullTextInfoRequestList", FreeTQFullTextInfoRequestList,
          [](TQFullTextInfoRequestList& l) {
            fillItems<&TQFullTextInfoRequestList::requestList>(l, 3);
          }),
      listCase<&TQFullTextInfoList::fullTextInfoList>(
          "FullTextInfoList", FreeTQFullTextInfoList,
          [](TQFullTextInfoList& l) {
            uint32_t code = 1;
            fillItems<&TQFullTextInfoList::fullTextInfoList>(
                l, 3, [&code](TQFullTextInfoStruct& f) {
                  f.infoType = code++;
                  if (f.infoType == TQ_FULLTEXT_INFO_VALUE_LIST) {
                    fillValueList(f.u.valueList);
                  } else {
                    f.u.value = charValue("x");
                  }
                });
          }),
  };
}

std::vector<ClearedCase> allCases() {
  std::vector<ClearedCase> all;
  for (auto group : {valueCases, entryListCases, qualificationCases, schemaFieldCases, menuCases,
                     assignmentCases, actionCases, containerAndServerCases}) {
    for (ClearedCase& c : group())
      all.push_back(std::move(c));
  }
  return all;
}

class ClearedState : public testing::TestWithParam<ClearedCase> {};

TEST_P(ClearedState, ReleaseLeavesClearedRecordAndRepeatsHarmlessly) {
  GetParam().run();
}

INSTANTIATE_TEST_SUITE_P(FreeTQ, ClearedState, testing::ValuesIn(allCases()),
                         [](const testing::TestParamInfo<ClearedCase>& info) {
                           return info.param.name;
                         });

}  // namespace
