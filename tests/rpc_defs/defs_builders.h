// Definition records with rich content for the wire tests: every action
// kind, every assignment kind, nested menus, references of both kinds. The
// records point into a Pool that keeps their texts and arrays alive.
#pragma once

#include <cstddef>
#include <cstring>
#include <deque>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "tqlink.h"

class Pool {
 public:
  char* text(const std::string& s) {
    texts_.push_back(s);
    return texts_.back().data();
  }
  template <class T>
  T* array(size_t n) {
    std::shared_ptr<T[]> block(new T[n == 0 ? 1 : n]());
    keep_.push_back(block);
    return block.get();
  }
  template <class T>
  T* one() {
    return array<T>(1);
  }

 private:
  std::deque<std::string> texts_;
  std::vector<std::shared_ptr<void>> keep_;
};

template <size_t N>
void setText(char (&array)[N], const char* text) {
  std::memset(array, 0, N);
  std::memcpy(array, text, strnlen(text, N - 1));
}

inline TQValueStruct intValue(int32_t v) {
  TQValueStruct value{};
  value.dataType = TQ_DATA_TYPE_INTEGER;
  value.u.intVal = v;
  return value;
}

inline TQValueStruct charValue(Pool& pool, const std::string& s) {
  TQValueStruct value{};
  value.dataType = TQ_DATA_TYPE_CHAR;
  value.u.charVal = pool.text(s);
  return value;
}

// 'field' = "value"
inline TQQualifierStruct fieldEquals(Pool& pool, uint32_t field, const std::string& value) {
  auto* rel = pool.one<TQRelOpStruct>();
  rel->operation = TQ_REL_OP_EQUAL;
  rel->left.tag = TQ_FIELD;
  rel->left.u.fieldId = field;
  rel->right.tag = TQ_VALUE;
  rel->right.u.value = charValue(pool, value);
  TQQualifierStruct q{};
  q.operation = TQ_COND_OP_REL_OP;
  q.u.relOp = rel;
  return q;
}

inline TQInternalIdList ids(Pool& pool, std::initializer_list<uint32_t> list) {
  TQInternalIdList out{static_cast<uint32_t>(list.size()), pool.array<uint32_t>(list.size())};
  size_t i = 0;
  for (uint32_t v : list)
    out.internalIdList[i++] = v;
  return out;
}

inline TQPropList props(Pool& pool) {
  TQPropList list{2, pool.array<TQPropStruct>(2)};
  list.props[0].propertyTag = 20;
  list.props[0].value = charValue(pool, "Label text");
  list.props[1].propertyTag = 7;
  list.props[1].value = intValue(-3);
  return list;
}

inline TQAssignFieldStruct assignField(Pool& pool, uint32_t tag) {
  TQAssignFieldStruct field{};
  setText(field.server, "srv-a");
  setText(field.schema, "Tickets");
  field.qualifier = fieldEquals(pool, 7, "Open");
  field.tag = tag;
  if (tag == TQ_FIELD) {
    field.u.fieldId = 536870913;
  } else {
    field.u.statHistory.enumIndex = 2;
    field.u.statHistory.userOrTime = 1;
  }
  field.noMatchOption = TQ_NO_MATCH_NULL;
  field.multiMatchOption = TQ_MULTI_MATCH_FIRST;
  return field;
}

// One assignment of each kind, 1 to 7; the arithmetic one nests a function
// with a field and a value parameter, and its right operand a NEGATE.
inline std::vector<TQAssignStruct> everyAssignment(Pool& pool) {
  std::vector<TQAssignStruct> out(7);
  out[0].assignType = TQ_ASSIGN_TYPE_VALUE;
  out[0].u.value = charValue(pool, "assigned text");

  out[1].assignType = TQ_ASSIGN_TYPE_FIELD;
  out[1].u.field = pool.one<TQAssignFieldStruct>();
  *out[1].u.field = assignField(pool, TQ_STAT_HISTORY);

  out[2].assignType = TQ_ASSIGN_TYPE_PROCESS;
  out[2].u.process = pool.text("/bin/report --now");

  auto* function = pool.one<TQFunctionAssignStruct>();
  function->functionCode = 12;
  function->numItems = 2;
  function->parameterList = pool.array<TQAssignStruct>(2);
  function->parameterList[0].assignType = TQ_ASSIGN_TYPE_FIELD;
  function->parameterList[0].u.field = pool.one<TQAssignFieldStruct>();
  *function->parameterList[0].u.field = assignField(pool, TQ_FIELD);
  function->parameterList[1].assignType = TQ_ASSIGN_TYPE_VALUE;
  function->parameterList[1].u.value = intValue(3);

  auto* negate = pool.one<TQArithOpAssignStruct>();
  negate->operation = TQ_ARITH_OP_NEGATE;
  negate->right.assignType = TQ_ASSIGN_TYPE_VALUE;
  negate->right.u.value = intValue(40);

  auto* arith = pool.one<TQArithOpAssignStruct>();
  arith->operation = TQ_ARITH_OP_ADD;
  arith->left.assignType = TQ_ASSIGN_TYPE_FUNCTION;
  arith->left.u.function = function;
  arith->right.assignType = TQ_ASSIGN_TYPE_ARITH;
  arith->right.u.arithOp = negate;
  out[3].assignType = TQ_ASSIGN_TYPE_ARITH;
  out[3].u.arithOp = arith;

  out[4].assignType = TQ_ASSIGN_TYPE_FUNCTION;
  out[4].u.function = pool.one<TQFunctionAssignStruct>();
  out[4].u.function->functionCode = TQ_FUNCTION_DATE;

  auto* dde = pool.one<TQDDEStruct>();
  dde->serviceName = pool.text("Excel");
  dde->topic = pool.text("Sheet1");
  dde->item = pool.text("R1C1");
  dde->action = TQ_DDE_REQUEST;
  dde->pathToProgram = pool.text("C:/Programs/excel");
  dde->command = pool.text("");
  out[5].assignType = TQ_ASSIGN_TYPE_DDE;
  out[5].u.dde = dde;

  auto* sql = pool.one<TQAssignSQLStruct>();
  setText(sql->server, "db-host");
  sql->sqlCommand = pool.text("SELECT name FROM people WHERE id = 4");
  sql->valueIndex = 1;
  sql->noMatchOption = TQ_NO_MATCH_ERROR;
  sql->multiMatchOption = TQ_MULTI_MATCH_PICKLIST;
  out[6].assignType = TQ_ASSIGN_TYPE_SQL;
  out[6].u.sql = sql;
  return out;
}

inline TQFieldAssignList fieldAssignments(Pool& pool) {
  std::vector<TQAssignStruct> all = everyAssignment(pool);
  TQFieldAssignList list{static_cast<uint32_t>(all.size()),
                         pool.array<TQFieldAssignStruct>(all.size())};
  for (size_t i = 0; i < all.size(); ++i) {
    list.fieldAssignList[i].fieldId = 536870920 + static_cast<uint32_t>(i);
    list.fieldAssignList[i].assignment = all[i];
  }
  return list;
}

inline TQPushFieldsList pushFields(Pool& pool) {
  TQPushFieldsList list{2, pool.array<TQPushFieldsStruct>(2)};
  list.pushFieldsList[0].field = assignField(pool, TQ_FIELD);
  list.pushFieldsList[0].assign = everyAssignment(pool)[0];
  list.pushFieldsList[1].field = assignField(pool, TQ_FIELD);
  list.pushFieldsList[1].assign = everyAssignment(pool)[3];
  return list;
}

inline TQMessageStruct message(Pool& pool, uint32_t type) {
  return TQMessageStruct{type, 8123, pool.text("Please check the field"), 1};
}

// Filter actions of every kind, 1 to 8.
inline TQFilterActionList everyFilterAction(Pool& pool) {
  TQFilterActionList list{8, pool.array<TQFilterActionStruct>(8)};
  TQFilterActionStruct* a = list.actionList;
  a[0].action = TQ_FILTER_ACTION_NOTIFY;
  a[0].u.notify = TQFilterActionNotify{pool.text("Support Team"),
                                       pool.text("Ticket $1$ changed"),
                                       3,
                                       TQ_NOTIFY_VIA_XREF,
                                       536870999,
                                       pool.text("Change notice"),
                                       TQ_FILTER_FIELD_IDS_LIST,
                                       ids(pool, {1, 7, 8})};
  a[1].action = TQ_FILTER_ACTION_MESSAGE;
  a[1].u.message = message(pool, TQ_MSG_ERROR);
  a[2].action = TQ_FILTER_ACTION_LOG;
  a[2].u.logFile = pool.text("/var/log/filters.log");
  a[3].action = TQ_FILTER_ACTION_FIELDS;
  a[3].u.setFields = fieldAssignments(pool);
  a[4].action = TQ_FILTER_ACTION_PROCESS;
  a[4].u.process = pool.text("notify-admin");
  a[5].action = TQ_FILTER_ACTION_FIELDP;
  a[5].u.pushFields = pushFields(pool);
  a[6].action = TQ_FILTER_ACTION_SQL;
  setText(a[6].u.sqlCommand.server, "db-host");
  a[6].u.sqlCommand.sqlCommand = pool.text("UPDATE t SET x = 1");
  a[7].action = TQ_FILTER_ACTION_GOTOACTION;
  a[7].u.gotoAction = TQGotoActionStruct{TQ_GOTO_ABSOLUTE_ORDER, 500};
  return list;
}

inline TQMethodValueStruct methodValue(Pool& pool, uint32_t kind) {
  TQMethodValueStruct v{};
  v.name = pool.text(kind == TQ_METHOD_VALUE_VALUE ? "VT_BSTR" : "VT_I4");
  v.kind = kind;
  if (kind == TQ_METHOD_VALUE_FIELD) v.u.fieldId = 536870930;
  if (kind == TQ_METHOD_VALUE_VALUE) v.u.value = charValue(pool, "argument");
  return v;
}

// Active-link actions of every kind, 1 to 17.
inline TQActiveLinkActionList everyActiveLinkAction(Pool& pool) {
  TQActiveLinkActionList list{17, pool.array<TQActiveLinkActionStruct>(17)};
  TQActiveLinkActionStruct* a = list.actionList;
  for (uint32_t i = 0; i < 17; ++i)
    a[i].action = i + 1;

  setText(a[0].u.macro.macroName, "Weekly report");
  a[0].u.macro.macroText = pool.text(
      "line one\nReport: x\x01"
      "21=2\x01"
      "22=!3!\n");
  a[0].u.macro.macroParms.numItems = 2;
  a[0].u.macro.macroParms.parms = pool.array<TQMacroParmStruct>(2);
  setText(a[0].u.macro.macroParms.parms[0].name, "region");
  a[0].u.macro.macroParms.parms[0].value = pool.text("north");
  setText(a[0].u.macro.macroParms.parms[1].name, "empty");
  a[0].u.macro.macroParms.parms[1].value = pool.text("");

  a[1].u.setFields = fieldAssignments(pool);
  a[2].u.process = pool.text("$PROCESS$ launch");
  a[3].u.message = message(pool, TQ_MSG_PROMPT);

  a[4].u.characteristics.fieldId = 536870940;
  a[4].u.characteristics.charMenu = pool.text("Priorities");
  a[4].u.characteristics.props = props(pool);
  a[4].u.characteristics.focus = TQ_FOCUS_SET_TO_FIELD;
  a[4].u.characteristics.accessOption = TQ_FIELD_ACCESS_READ_ONLY;

  a[5].u.dde = TQDDEStruct{pool.text("Word"), pool.text("Doc"),  pool.text("Bookmark1"),
                           TQ_DDE_POKE,       pool.text("word"), pool.text("[Insert]")};
  a[6].u.pushFields = pushFields(pool);
  setText(a[7].u.sqlCommand.server, "db-host");
  a[7].u.sqlCommand.sqlCommand = pool.text("DELETE FROM t");

  TQMethodCallStruct& call = a[8].u.methodCall;
  call.serverName = pool.text("Automation.Server");
  call.classId = pool.text("{00020906-0000-0000-C000-000000000046}");
  call.actionText = pool.text("Open document");
  call.isVisible = 1;
  call.methodList.numItems = 2;
  call.methodList.methodList = pool.array<TQMethodStruct>(2);
  TQMethodStruct& open = call.methodList.methodList[0];
  open.methodName = pool.text("Documents.Open");
  open.returnValue = methodValue(pool, TQ_METHOD_VALUE_FIELD);
  open.parameters.numItems = 2;
  open.parameters.parameterList = pool.array<TQMethodParmStruct>(2);
  open.parameters.parameterList[0].name = pool.text("FileName");
  open.parameters.parameterList[0].value = methodValue(pool, TQ_METHOD_VALUE_VALUE);
  open.parameters.parameterList[1].name = pool.text("ReadOnly");
  open.parameters.parameterList[1].value = methodValue(pool, TQ_METHOD_VALUE_NONE);
  TQMethodStruct& close = call.methodList.methodList[1];
  close.methodName = pool.text("Close");
  close.returnValue = methodValue(pool, TQ_METHOD_VALUE_NONE);

  TQOpenDialogStruct& dialog = a[9].u.openDialog;
  setText(dialog.server, "srv-b");
  setText(dialog.schema, "Lookup");
  setText(dialog.vuiLabel, "Compact");
  dialog.closeBox = 1;
  dialog.inputValueFieldPairs = fieldAssignments(pool);
  dialog.outputValueFieldPairs.numItems = 1;
  dialog.outputValueFieldPairs.fieldAssignList = pool.array<TQFieldAssignStruct>(1);
  dialog.outputValueFieldPairs.fieldAssignList[0].fieldId = 8;
  dialog.outputValueFieldPairs.fieldAssignList[0].assignment = everyAssignment(pool)[0];

  setText(a[10].u.commitChanges.schema, "Lookup");
  a[11].u.closeWindow.closeAll = 1;
  setText(a[12].u.callGuide.server, "srv-c");
  setText(a[12].u.callGuide.guideName, "Intake guide");
  a[12].u.callGuide.guideMode = 2;
  a[13].u.exitGuide.closeAll = 0;
  a[14].u.gotoGuideLabel.label = pool.text("step-3");
  a[15].u.waitAction.continueButtonTitle = pool.text("Continue");
  a[16].u.gotoAction = TQGotoActionStruct{TQ_GOTO_FIELD_XREF, 536870950};
  return list;
}

// A LIST menu: a value item, a sub-menu (LIST, holding a value and a
// sub-sub-menu of kind QUERY), and a sub-menu of kind SQL.
inline TQCharMenuStruct nestedMenu(Pool& pool) {
  auto* query = pool.one<TQCharMenuStruct>();
  query->menuType = TQ_CHAR_MENU_QUERY;
  setText(query->u.menuQuery.schema, "People");
  setText(query->u.menuQuery.server, "srv-q");
  query->u.menuQuery.qualifier = fieldEquals(pool, 7, "active");
  query->u.menuQuery.labelFieldId = 8;
  query->u.menuQuery.valueFieldId = 536870913;
  query->u.menuQuery.sortOnLabel = 1;

  auto* inner = pool.one<TQCharMenuStruct>();
  inner->menuType = TQ_CHAR_MENU_LIST;
  inner->u.menuList.numItems = 2;
  inner->u.menuList.charMenuList = pool.array<TQCharMenuItemStruct>(2);
  setText(inner->u.menuList.charMenuList[0].label, "Inner value");
  inner->u.menuList.charMenuList[0].itemType = TQ_MENU_ITEM_VALUE;
  inner->u.menuList.charMenuList[0].u.value = pool.text("inner-value");
  setText(inner->u.menuList.charMenuList[1].label, "People");
  inner->u.menuList.charMenuList[1].itemType = TQ_MENU_ITEM_MENU;
  inner->u.menuList.charMenuList[1].u.childMenu = query;

  auto* sql = pool.one<TQCharMenuStruct>();
  sql->menuType = TQ_CHAR_MENU_SQL;
  setText(sql->u.menuSQL.server, "db-host");
  sql->u.menuSQL.sqlCommand = pool.text("SELECT a, b FROM c");
  sql->u.menuSQL.labelIndex = 2;
  sql->u.menuSQL.valueIndex = 1;

  TQCharMenuStruct top{};
  top.menuType = TQ_CHAR_MENU_LIST;
  top.u.menuList.numItems = 3;
  top.u.menuList.charMenuList = pool.array<TQCharMenuItemStruct>(3);
  TQCharMenuItemStruct* items = top.u.menuList.charMenuList;
  setText(items[0].label, "Top value");
  items[0].itemType = TQ_MENU_ITEM_VALUE;
  items[0].u.value = pool.text("top");
  setText(items[1].label, "Nested");
  items[1].itemType = TQ_MENU_ITEM_MENU;
  items[1].u.childMenu = inner;
  setText(items[2].label, "From SQL");
  items[2].itemType = TQ_MENU_ITEM_MENU;
  items[2].u.childMenu = sql;
  return top;
}

inline TQReferenceList references(Pool& pool) {
  TQReferenceList list{2, pool.array<TQReferenceStruct>(2)};
  list.referenceList[0].label = pool.text("Owning form");
  list.referenceList[0].description = pool.text("the form this container belongs to");
  list.referenceList[0].type = 2;
  list.referenceList[0].dataType = TQ_REF_DATA_SERVER;
  setText(list.referenceList[0].u.name, "Tickets");
  list.referenceList[1].label = pool.text("Manual");
  list.referenceList[1].description = nullptr;
  list.referenceList[1].type = 32771;
  list.referenceList[1].dataType = TQ_REF_DATA_EXTERNAL;
  list.referenceList[1].u.extRef.permittedGroups = ids(pool, {0, 3, 1000});
  list.referenceList[1].u.extRef.value = charValue(pool, "http://example.invalid/manual");
  return list;
}
