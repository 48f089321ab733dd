// Encode, decode, compare, release: the definition records with rich
// content. Decoded records are released with the library's release routines,
// so that the sanitizer build shows that a decode allocates exactly what
// those routines give back.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "defs_builders.h"
#include "defs_test_util.h"
#include "rpc/xdr_defs.h"
#include "rpc/xdr_records.h"
#include "rpc/xdr_session.h"

namespace {

std::string str(const char* text) {
  return text != nullptr ? text : "";
}

void expectSameAssignField(const TQAssignFieldStruct& a, const TQAssignFieldStruct& b) {
  EXPECT_STREQ(a.server, b.server);
  EXPECT_STREQ(a.schema, b.schema);
  ASSERT_EQ(b.qualifier.operation, uint32_t{TQ_COND_OP_REL_OP});
  ASSERT_NE(b.qualifier.u.relOp, nullptr);
  EXPECT_EQ(str(b.qualifier.u.relOp->right.u.value.u.charVal),
            str(a.qualifier.u.relOp->right.u.value.u.charVal));
  ASSERT_EQ(a.tag, b.tag);
  if (a.tag == TQ_FIELD) {
    EXPECT_EQ(a.u.fieldId, b.u.fieldId);
  } else {
    EXPECT_EQ(a.u.statHistory.enumIndex, b.u.statHistory.enumIndex);
    EXPECT_EQ(a.u.statHistory.userOrTime, b.u.statHistory.userOrTime);
  }
  EXPECT_EQ(a.noMatchOption, b.noMatchOption);
  EXPECT_EQ(a.multiMatchOption, b.multiMatchOption);
}

// The assignments of everyAssignment(), after a round trip.
void expectEveryAssignment(const TQAssignStruct* a, const TQAssignStruct* b) {
  EXPECT_EQ(str(b[0].u.value.u.charVal), "assigned text");
  ASSERT_NE(b[1].u.field, nullptr);
  expectSameAssignField(*a[1].u.field, *b[1].u.field);
  EXPECT_EQ(str(b[2].u.process), "/bin/report --now");

  const TQArithOpAssignStruct* arith = b[3].u.arithOp;
  ASSERT_NE(arith, nullptr);
  EXPECT_EQ(arith->operation, uint32_t{TQ_ARITH_OP_ADD});
  ASSERT_EQ(arith->left.assignType, uint32_t{TQ_ASSIGN_TYPE_FUNCTION});
  const TQFunctionAssignStruct* function = arith->left.u.function;
  ASSERT_NE(function, nullptr);
  EXPECT_EQ(function->functionCode, 12u);
  ASSERT_EQ(function->numItems, 2u);
  expectSameAssignField(*a[3].u.arithOp->left.u.function->parameterList[0].u.field,
                        *function->parameterList[0].u.field);
  EXPECT_EQ(function->parameterList[1].u.value.u.intVal, 3);
  ASSERT_EQ(arith->right.assignType, uint32_t{TQ_ASSIGN_TYPE_ARITH});
  const TQArithOpAssignStruct* negate = arith->right.u.arithOp;
  EXPECT_EQ(negate->operation, uint32_t{TQ_ARITH_OP_NEGATE});
  EXPECT_EQ(negate->left.assignType, 0u);
  EXPECT_EQ(negate->right.u.value.u.intVal, 40);

  EXPECT_EQ(b[4].u.function->functionCode, uint32_t{TQ_FUNCTION_DATE});
  EXPECT_EQ(b[4].u.function->numItems, 0u);

  const TQDDEStruct* dde = b[5].u.dde;
  EXPECT_EQ(str(dde->serviceName), "Excel");
  EXPECT_EQ(str(dde->topic), "Sheet1");
  EXPECT_EQ(str(dde->item), "R1C1");
  EXPECT_EQ(dde->action, uint32_t{TQ_DDE_REQUEST});
  EXPECT_EQ(str(dde->pathToProgram), "C:/Programs/excel");
  EXPECT_EQ(str(dde->command), "");

  const TQAssignSQLStruct* sql = b[6].u.sql;
  EXPECT_STREQ(sql->server, "db-host");
  EXPECT_EQ(str(sql->sqlCommand), "SELECT name FROM people WHERE id = 4");
  EXPECT_EQ(sql->valueIndex, 1u);
  EXPECT_EQ(sql->noMatchOption, uint32_t{TQ_NO_MATCH_ERROR});
  EXPECT_EQ(sql->multiMatchOption, uint32_t{TQ_MULTI_MATCH_PICKLIST});
}

void expectFieldAssignments(const TQFieldAssignList& a, const TQFieldAssignList& b) {
  ASSERT_EQ(a.numItems, b.numItems);
  std::vector<TQAssignStruct> left;
  std::vector<TQAssignStruct> right;
  for (uint32_t i = 0; i < a.numItems; ++i) {
    EXPECT_EQ(a.fieldAssignList[i].fieldId, b.fieldAssignList[i].fieldId);
    ASSERT_EQ(a.fieldAssignList[i].assignment.assignType,
              b.fieldAssignList[i].assignment.assignType);
    left.push_back(a.fieldAssignList[i].assignment);
    right.push_back(b.fieldAssignList[i].assignment);
  }
  expectEveryAssignment(left.data(), right.data());
}

TEST(DefsRoundTrip, FilterActionsOfEveryKind) {
  SessionScope scope;
  Pool pool;
  TQFilterActionList in = everyFilterAction(pool);
  TQFilterActionList out;
  roundTrip(xdr_TQFilterActionList, &in, &out);
  ASSERT_EQ(out.numItems, 8u);
  const TQFilterActionStruct* b = out.actionList;
  for (uint32_t i = 0; i < 8; ++i)
    EXPECT_EQ(b[i].action, i + 1);

  const TQFilterActionNotify& notify = b[0].u.notify;
  EXPECT_EQ(str(notify.user), "Support Team");
  EXPECT_EQ(str(notify.notifyText), "Ticket $1$ changed");
  EXPECT_EQ(notify.notifyPriority, 3u);
  EXPECT_EQ(notify.notifyMechanism, uint32_t{TQ_NOTIFY_VIA_XREF});
  EXPECT_EQ(notify.notifyMechanismXRef, 536870999u);
  EXPECT_EQ(str(notify.subjectText), "Change notice");
  EXPECT_EQ(notify.fieldIdListType, uint32_t{TQ_FILTER_FIELD_IDS_LIST});
  ASSERT_EQ(notify.fieldIdList.numItems, 3u);
  EXPECT_EQ(notify.fieldIdList.internalIdList[2], 8u);

  EXPECT_EQ(b[1].u.message.messageType, uint32_t{TQ_MSG_ERROR});
  EXPECT_EQ(b[1].u.message.messageNumber, 8123);
  EXPECT_EQ(str(b[1].u.message.messageText), "Please check the field");
  EXPECT_EQ(b[1].u.message.usePromptingPane, 1);
  EXPECT_EQ(str(b[2].u.logFile), "/var/log/filters.log");
  expectFieldAssignments(in.actionList[3].u.setFields, b[3].u.setFields);
  EXPECT_EQ(str(b[4].u.process), "notify-admin");
  ASSERT_EQ(b[5].u.pushFields.numItems, 2u);
  expectSameAssignField(in.actionList[5].u.pushFields.pushFieldsList[1].field,
                        b[5].u.pushFields.pushFieldsList[1].field);
  EXPECT_EQ(b[5].u.pushFields.pushFieldsList[1].assign.u.arithOp->right.u.arithOp->operation,
            uint32_t{TQ_ARITH_OP_NEGATE});
  EXPECT_STREQ(b[6].u.sqlCommand.server, "db-host");
  EXPECT_EQ(str(b[6].u.sqlCommand.sqlCommand), "UPDATE t SET x = 1");
  EXPECT_EQ(b[7].u.gotoAction.tag, uint32_t{TQ_GOTO_ABSOLUTE_ORDER});
  EXPECT_EQ(b[7].u.gotoAction.fieldIdOrValue, 500u);
  FreeTQFilterActionList(&out, 0);
}

TEST(DefsRoundTrip, ActiveLinkActionsOfEveryKind) {
  SessionScope scope;
  Pool pool;
  TQActiveLinkActionList in = everyActiveLinkAction(pool);
  TQActiveLinkActionList out;
  roundTrip(xdr_TQActiveLinkActionList, &in, &out);
  ASSERT_EQ(out.numItems, 17u);
  const TQActiveLinkActionStruct* b = out.actionList;
  for (uint32_t i = 0; i < 17; ++i)
    EXPECT_EQ(b[i].action, i + 1);

  EXPECT_STREQ(b[0].u.macro.macroName, "Weekly report");
  EXPECT_EQ(str(b[0].u.macro.macroText), str(in.actionList[0].u.macro.macroText));
  ASSERT_EQ(b[0].u.macro.macroParms.numItems, 2u);
  EXPECT_STREQ(b[0].u.macro.macroParms.parms[0].name, "region");
  EXPECT_EQ(str(b[0].u.macro.macroParms.parms[0].value), "north");
  expectFieldAssignments(in.actionList[1].u.setFields, b[1].u.setFields);
  EXPECT_EQ(str(b[2].u.process), "$PROCESS$ launch");
  EXPECT_EQ(b[3].u.message.messageType, uint32_t{TQ_MSG_PROMPT});

  const TQFieldCharacteristics& ch = b[4].u.characteristics;
  EXPECT_EQ(ch.fieldId, 536870940u);
  EXPECT_EQ(str(ch.charMenu), "Priorities");
  ASSERT_EQ(ch.props.numItems, 2u);
  EXPECT_EQ(str(ch.props.props[0].value.u.charVal), "Label text");
  EXPECT_EQ(ch.props.props[1].value.u.intVal, -3);
  EXPECT_EQ(ch.focus, uint32_t{TQ_FOCUS_SET_TO_FIELD});
  EXPECT_EQ(ch.accessOption, uint32_t{TQ_FIELD_ACCESS_READ_ONLY});

  EXPECT_EQ(str(b[5].u.dde.command), "[Insert]");
  EXPECT_EQ(b[5].u.dde.action, uint32_t{TQ_DDE_POKE});
  EXPECT_EQ(b[6].u.pushFields.numItems, 2u);
  EXPECT_EQ(str(b[7].u.sqlCommand.sqlCommand), "DELETE FROM t");

  const TQMethodCallStruct& call = b[8].u.methodCall;
  EXPECT_EQ(str(call.classId), "{00020906-0000-0000-C000-000000000046}");
  EXPECT_EQ(call.isVisible, 1);
  ASSERT_EQ(call.methodList.numItems, 2u);
  const TQMethodStruct& open = call.methodList.methodList[0];
  EXPECT_EQ(str(open.methodName), "Documents.Open");
  EXPECT_EQ(open.returnValue.kind, uint32_t{TQ_METHOD_VALUE_FIELD});
  EXPECT_EQ(open.returnValue.u.fieldId, 536870930u);
  ASSERT_EQ(open.parameters.numItems, 2u);
  EXPECT_EQ(str(open.parameters.parameterList[0].value.name), "VT_BSTR");
  EXPECT_EQ(str(open.parameters.parameterList[0].value.u.value.u.charVal), "argument");
  EXPECT_EQ(open.parameters.parameterList[1].value.kind, uint32_t{TQ_METHOD_VALUE_NONE});

  const TQOpenDialogStruct& dialog = b[9].u.openDialog;
  EXPECT_STREQ(dialog.vuiLabel, "Compact");
  EXPECT_EQ(dialog.closeBox, 1);
  expectFieldAssignments(in.actionList[9].u.openDialog.inputValueFieldPairs,
                         dialog.inputValueFieldPairs);
  EXPECT_EQ(dialog.outputValueFieldPairs.numItems, 1u);

  EXPECT_STREQ(b[10].u.commitChanges.schema, "Lookup");
  EXPECT_EQ(b[11].u.closeWindow.closeAll, 1);
  EXPECT_STREQ(b[12].u.callGuide.guideName, "Intake guide");
  EXPECT_EQ(b[12].u.callGuide.guideMode, 2u);
  EXPECT_EQ(b[13].u.exitGuide.closeAll, 0);
  EXPECT_EQ(str(b[14].u.gotoGuideLabel.label), "step-3");
  EXPECT_EQ(str(b[15].u.waitAction.continueButtonTitle), "Continue");
  EXPECT_EQ(b[16].u.gotoAction.fieldIdOrValue, 536870950u);
  FreeTQActiveLinkActionList(&out, 0);
}

TEST(DefsRoundTrip, NestedMenusKeepTheirShapeAtEveryLevel) {
  SessionScope scope;
  Pool pool;
  TQCharMenuStruct in = nestedMenu(pool);
  TQCharMenuStruct out;
  roundTrip(xdr_TQCharMenuStruct, &in, &out);
  ASSERT_EQ(out.menuType, uint32_t{TQ_CHAR_MENU_LIST});
  ASSERT_EQ(out.u.menuList.numItems, 3u);
  const TQCharMenuItemStruct* top = out.u.menuList.charMenuList;
  EXPECT_STREQ(top[0].label, "Top value");
  EXPECT_EQ(str(top[0].u.value), "top");

  ASSERT_EQ(top[1].itemType, uint32_t{TQ_MENU_ITEM_MENU});
  const TQCharMenuStruct* inner = top[1].u.childMenu;
  ASSERT_NE(inner, nullptr);
  ASSERT_EQ(inner->u.menuList.numItems, 2u);
  EXPECT_EQ(str(inner->u.menuList.charMenuList[0].u.value), "inner-value");
  const TQCharMenuStruct* query = inner->u.menuList.charMenuList[1].u.childMenu;
  ASSERT_NE(query, nullptr);
  ASSERT_EQ(query->menuType, uint32_t{TQ_CHAR_MENU_QUERY});
  EXPECT_STREQ(query->u.menuQuery.schema, "People");
  EXPECT_STREQ(query->u.menuQuery.server, "srv-q");
  EXPECT_EQ(str(query->u.menuQuery.qualifier.u.relOp->right.u.value.u.charVal), "active");
  EXPECT_EQ(query->u.menuQuery.labelFieldId, 8u);
  EXPECT_EQ(query->u.menuQuery.valueFieldId, 536870913u);
  EXPECT_EQ(query->u.menuQuery.sortOnLabel, 1);

  const TQCharMenuStruct* sql = top[2].u.childMenu;
  ASSERT_EQ(sql->menuType, uint32_t{TQ_CHAR_MENU_SQL});
  EXPECT_EQ(str(sql->u.menuSQL.sqlCommand), "SELECT a, b FROM c");
  EXPECT_EQ(sql->u.menuSQL.labelIndex, 2);
  EXPECT_EQ(sql->u.menuSQL.valueIndex, 1);
  FreeTQCharMenuStruct(&out, 0);

  TQCharMenuStruct file{};
  file.menuType = TQ_CHAR_MENU_FILE;
  file.u.menuFile.fileLocation = TQ_MENU_FILE_CLIENT;
  file.u.menuFile.filename = pool.text("/etc/menus/priorities.txt");
  roundTrip(xdr_TQCharMenuStruct, &file, &out);
  EXPECT_EQ(out.u.menuFile.fileLocation, uint32_t{TQ_MENU_FILE_CLIENT});
  EXPECT_EQ(str(out.u.menuFile.filename), "/etc/menus/priorities.txt");
  FreeTQCharMenuStruct(&out, 0);
}

TEST(DefsRoundTrip, FieldLimitsOfEveryDataType) {
  SessionScope scope;
  Pool pool;
  std::vector<TQFieldLimitStruct> limits;
  auto add = [&limits](uint32_t type) -> TQFieldLimitStruct& {
    limits.push_back(TQFieldLimitStruct{});
    limits.back().dataType = type;
    return limits.back();
  };
  add(TQ_DATA_TYPE_NULL);
  add(TQ_DATA_TYPE_INTEGER).u.intLimits = {-1000, 2147483647};
  add(TQ_DATA_TYPE_REAL).u.realLimits = {-0.5, 1e300, 4};
  TQCharLimitsStruct& c = add(TQ_DATA_TYPE_CHAR).u.charLimits;
  c = {255, TQ_MENU_STYLE_OVERWRITE, TQ_QBE_MATCH_LEADING, {}, pool.text("[A-Z]*"), 1};
  setText(c.charMenu, "Status menu");
  add(TQ_DATA_TYPE_DIARY).u.diaryLimits.fullTextOptions = TQ_FULLTEXT_OPTIONS_INDEXED;
  TQNameList names{3, pool.array<TQNameType>(3)};
  setText(names.nameList[0], "New");
  setText(names.nameList[1], "Assigned");
  setText(names.nameList[2], "Closed");
  add(TQ_DATA_TYPE_ENUM).u.enumLimits = names;
  add(TQ_DATA_TYPE_TIME);
  add(TQ_DATA_TYPE_BITMASK).u.maskLimits = names;
  add(TQ_DATA_TYPE_BYTES);
  add(TQ_DATA_TYPE_DECIMAL).u.decimalLimits = {pool.text("-99.99"), pool.text("99.99"), 2};
  add(TQ_DATA_TYPE_ATTACH).u.attachLimits = {2147483647, 1};
  TQTableLimitsStruct& t = add(TQ_DATA_TYPE_TABLE).u.tableLimits;
  t.numColumns = 4;
  t.qualifier = fieldEquals(pool, 7, "Open");
  t.maxRetrieve = 9999;
  setText(t.schema, "Tasks");
  setText(t.server, "srv-t");
  add(TQ_DATA_TYPE_COLUMN).u.columnLimits = {536870960, 536870961, 255};

  for (TQFieldLimitStruct& in : limits) {
    SCOPED_TRACE(in.dataType);
    TQFieldLimitStruct out;
    roundTrip(xdr_TQFieldLimitStruct, &in, &out);
    ASSERT_EQ(out.dataType, in.dataType);
    switch (in.dataType) {
      case TQ_DATA_TYPE_INTEGER:
        EXPECT_EQ(out.u.intLimits.rangeLow, -1000);
        EXPECT_EQ(out.u.intLimits.rangeHigh, 2147483647);
        break;
      case TQ_DATA_TYPE_REAL:
        EXPECT_EQ(out.u.realLimits.rangeLow, -0.5);
        EXPECT_EQ(out.u.realLimits.rangeHigh, 1e300);
        EXPECT_EQ(out.u.realLimits.precision, 4);
        break;
      case TQ_DATA_TYPE_CHAR:
        EXPECT_EQ(out.u.charLimits.maxLength, 255u);
        EXPECT_EQ(out.u.charLimits.menuStyle, uint32_t{TQ_MENU_STYLE_OVERWRITE});
        EXPECT_EQ(out.u.charLimits.qbeMatchOperation, uint32_t{TQ_QBE_MATCH_LEADING});
        EXPECT_STREQ(out.u.charLimits.charMenu, "Status menu");
        EXPECT_EQ(str(out.u.charLimits.pattern), "[A-Z]*");
        EXPECT_EQ(out.u.charLimits.fullTextOptions, 1u);
        break;
      case TQ_DATA_TYPE_DIARY:
        EXPECT_EQ(out.u.diaryLimits.fullTextOptions, 1u);
        break;
      case TQ_DATA_TYPE_ENUM:
      case TQ_DATA_TYPE_BITMASK:
        ASSERT_EQ(out.u.enumLimits.numItems, 3u);
        EXPECT_STREQ(out.u.enumLimits.nameList[2], "Closed");
        break;
      case TQ_DATA_TYPE_DECIMAL:
        EXPECT_EQ(str(out.u.decimalLimits.rangeLow), "-99.99");
        EXPECT_EQ(str(out.u.decimalLimits.rangeHigh), "99.99");
        EXPECT_EQ(out.u.decimalLimits.precision, 2);
        break;
      case TQ_DATA_TYPE_ATTACH:
        EXPECT_EQ(out.u.attachLimits.maxSize, 2147483647u);
        EXPECT_EQ(out.u.attachLimits.attachType, 1u);
        break;
      case TQ_DATA_TYPE_TABLE:
        EXPECT_EQ(out.u.tableLimits.numColumns, 4u);
        EXPECT_EQ(out.u.tableLimits.qualifier.operation, uint32_t{TQ_COND_OP_REL_OP});
        EXPECT_EQ(out.u.tableLimits.maxRetrieve, 9999u);
        EXPECT_STREQ(out.u.tableLimits.schema, "Tasks");
        EXPECT_STREQ(out.u.tableLimits.server, "srv-t");
        break;
      case TQ_DATA_TYPE_COLUMN:
        EXPECT_EQ(out.u.columnLimits.parent, 536870960u);
        EXPECT_EQ(out.u.columnLimits.dataField, 536870961u);
        EXPECT_EQ(out.u.columnLimits.colLength, 255u);
        break;
      default:
        break;
    }
    FreeTQFieldLimitStruct(&out, 0);
  }
}

TEST(DefsRoundTrip, CompoundSchemasOfEveryType) {
  SessionScope scope;
  Pool pool;
  TQCompoundSchema join{};
  join.schemaType = TQ_SCHEMA_JOIN;
  setText(join.u.join.memberA, "Tickets");
  setText(join.u.join.memberB, "People");
  join.u.join.joinQual = fieldEquals(pool, 2, "x");
  join.u.join.option = 1;
  TQCompoundSchema out;
  roundTrip(xdr_TQCompoundSchema, &join, &out);
  EXPECT_STREQ(out.u.join.memberA, "Tickets");
  EXPECT_STREQ(out.u.join.memberB, "People");
  EXPECT_EQ(str(out.u.join.joinQual.u.relOp->right.u.value.u.charVal), "x");
  EXPECT_EQ(out.u.join.option, 1u);
  FreeTQCompoundSchema(&out, 0);

  TQCompoundSchema view{};
  view.schemaType = TQ_SCHEMA_VIEW;
  setText(view.u.view.tableName, "dbo.open_tickets");
  setText(view.u.view.keyField, "ticket_id");
  view.u.view.viewQual = pool.text("status <> 'closed'");
  roundTrip(xdr_TQCompoundSchema, &view, &out);
  EXPECT_STREQ(out.u.view.tableName, "dbo.open_tickets");
  EXPECT_STREQ(out.u.view.keyField, "ticket_id");
  EXPECT_EQ(str(out.u.view.viewQual), "status <> 'closed'");
  FreeTQCompoundSchema(&out, 0);

  for (uint32_t type : {0u, 1u, 4u}) {
    TQCompoundSchema plain{};
    plain.schemaType = type;
    EXPECT_EQ(roundTrip(xdr_TQCompoundSchema, &plain, &out), words({type}));
  }
}

TEST(DefsRoundTrip, GroupsUsersPermissionsIndexesMappings) {
  SessionScope scope;
  Pool pool;
  TQGroupInfoList groups{2, pool.array<TQGroupInfoStruct>(2)};
  groups.groupList[0] = {3, TQ_GROUP_TYPE_VIEW, {1, pool.array<TQNameType>(1)}};
  setText(groups.groupList[0].groupName.nameList[0], "Support");
  groups.groupList[1] = {1000, TQ_GROUP_TYPE_CHANGE, {2, pool.array<TQNameType>(2)}};
  setText(groups.groupList[1].groupName.nameList[0], "Admins");
  setText(groups.groupList[1].groupName.nameList[1], "Root");
  TQGroupInfoList groupsOut;
  roundTrip(xdr_TQGroupInfoList, &groups, &groupsOut);
  ASSERT_EQ(groupsOut.numItems, 2u);
  EXPECT_EQ(groupsOut.groupList[1].groupId, 1000u);
  EXPECT_EQ(groupsOut.groupList[1].groupType, uint32_t{TQ_GROUP_TYPE_CHANGE});
  EXPECT_STREQ(groupsOut.groupList[1].groupName.nameList[1], "Root");
  FreeTQGroupInfoList(&groupsOut, 0);

  TQUserInfoList users{1, pool.array<TQUserInfoStruct>(1)};
  setText(users.userList[0].userName, "jdoe");
  users.userList[0].licenseInfo = {2, pool.array<TQUserLicenseStruct>(2)};
  users.userList[0].licenseInfo.licenseList[0] = {1, 2, 2};
  users.userList[0].licenseInfo.licenseList[1] = {3, 1, 0};
  users.userList[0].connectTime = 946684800;
  users.userList[0].lastAccess = -1;
  users.userList[0].defaultNotifyMech = TQ_NOTIFY_VIA_EMAIL;
  users.userList[0].emailAddress = pool.text("jdoe@example.invalid");
  TQUserInfoList usersOut;
  roundTrip(xdr_TQUserInfoList, &users, &usersOut);
  const TQUserInfoStruct& u = usersOut.userList[0];
  EXPECT_STREQ(u.userName, "jdoe");
  ASSERT_EQ(u.licenseInfo.numItems, 2u);
  EXPECT_EQ(u.licenseInfo.licenseList[1].licenseTag, 3u);
  EXPECT_EQ(u.licenseInfo.licenseList[1].licenseType, 1u);
  EXPECT_EQ(u.connectTime, 946684800);
  EXPECT_EQ(u.lastAccess, -1);
  EXPECT_EQ(str(u.emailAddress), "jdoe@example.invalid");
  FreeTQUserInfoList(&usersOut, 0);

  TQIndexList indexes{1, pool.array<TQIndexStruct>(1)};
  indexes.indexList[0].numFields = TQ_MAX_INDEX_FIELDS;
  for (uint32_t i = 0; i < TQ_MAX_INDEX_FIELDS; ++i)
    indexes.indexList[0].fieldIds[i] = 100 + i;
  indexes.indexList[0].unique = 1;
  TQIndexList indexesOut;
  roundTrip(xdr_TQIndexList, &indexes, &indexesOut);
  EXPECT_EQ(0, std::memcmp(indexes.indexList, indexesOut.indexList, sizeof(TQIndexStruct)));
  FreeTQIndexList(&indexesOut, 0);

  TQFieldMappingStruct join{};
  join.fieldType = TQ_FIELD_MAPPING_JOIN;
  join.u.join = {1, 536870913};
  TQFieldMappingStruct mappingOut;
  EXPECT_EQ(roundTrip(xdr_TQFieldMappingStruct, &join, &mappingOut), words({2, 1, 536870913}));
  TQFieldMappingStruct view{};
  view.fieldType = TQ_FIELD_MAPPING_VIEW;
  setText(view.u.view.fieldName, "col_name");
  roundTrip(xdr_TQFieldMappingStruct, &view, &mappingOut);
  EXPECT_STREQ(mappingOut.u.view.fieldName, "col_name");
}

TEST(DefsRoundTrip, DisplayInstancesWithPropertiesOfSeveralViews) {
  SessionScope scope;
  Pool pool;
  TQDisplayInstanceList in{props(pool), 2, pool.array<TQDisplayInstanceStruct>(2)};
  in.dInstanceList[0] = {536870912, props(pool)};
  in.dInstanceList[1] = {7, TQPropList{}};
  TQDisplayInstanceList out;
  roundTrip(xdr_TQDisplayInstanceList, &in, &out);
  ASSERT_EQ(out.commonProps.numItems, 2u);
  EXPECT_EQ(out.commonProps.props[0].propertyTag, 20u);
  ASSERT_EQ(out.numItems, 2u);
  EXPECT_EQ(out.dInstanceList[0].vui, 536870912u);
  EXPECT_EQ(str(out.dInstanceList[0].props.props[0].value.u.charVal), "Label text");
  EXPECT_EQ(out.dInstanceList[1].vui, 7u);
  EXPECT_EQ(out.dInstanceList[1].props.numItems, 0u);
  FreeTQDisplayInstanceList(&out, 0);

  TQDisplayList displays{1, pool.array<TQDisplayStruct>(1)};
  displays.displayList[0] = {{}, {}, TQ_DISPLAY_LABEL_TOP,     TQ_DISPLAY_TYPE_CHOICE,
                             40, 3,  TQ_DISPLAY_OPTION_HIDDEN, -20,
                             300};
  setText(displays.displayList[0].displayTag, "Default Admin View");
  setText(displays.displayList[0].label, "Priority");
  TQDisplayList displaysOut;
  roundTrip(xdr_TQDisplayList, &displays, &displaysOut);
  const TQDisplayStruct& d = displaysOut.displayList[0];
  EXPECT_STREQ(d.displayTag, "Default Admin View");
  EXPECT_STREQ(d.label, "Priority");
  EXPECT_EQ(d.labelLocation, uint32_t{TQ_DISPLAY_LABEL_TOP});
  EXPECT_EQ(d.type, uint32_t{TQ_DISPLAY_TYPE_CHOICE});
  EXPECT_EQ(d.length, 40u);
  EXPECT_EQ(d.numRows, 3u);
  EXPECT_EQ(d.option, uint32_t{TQ_DISPLAY_OPTION_HIDDEN});
  EXPECT_EQ(d.x, -20);
  EXPECT_EQ(d.y, 300);
  FreeTQDisplayList(&displaysOut, 0);
}

TEST(DefsRoundTrip, ContainersReferencesAndExportItems) {
  SessionScope scope;
  Pool pool;
  TQReferenceList refs = references(pool);
  TQReferenceList refsOut;
  roundTrip(xdr_TQReferenceList, &refs, &refsOut);
  ASSERT_EQ(refsOut.numItems, 2u);
  EXPECT_EQ(str(refsOut.referenceList[0].label), "Owning form");
  EXPECT_EQ(refsOut.referenceList[0].type, 2u);
  EXPECT_STREQ(refsOut.referenceList[0].u.name, "Tickets");
  const TQReferenceStruct& ext = refsOut.referenceList[1];
  EXPECT_EQ(str(ext.description), "");
  EXPECT_EQ(ext.type, 32771u);
  ASSERT_EQ(ext.dataType, uint32_t{TQ_REF_DATA_EXTERNAL});
  ASSERT_EQ(ext.u.extRef.permittedGroups.numItems, 3u);
  EXPECT_EQ(ext.u.extRef.permittedGroups.internalIdList[2], 1000u);
  EXPECT_EQ(str(ext.u.extRef.value.u.charVal), "http://example.invalid/manual");
  FreeTQReferenceList(&refsOut, 0);

  TQContainerInfoList infos{2, pool.array<TQContainerInfo>(2)};
  setText(infos.conInfoList[0].name, "Guides");
  infos.conInfoList[0].type = 1;
  infos.conInfoList[0].owner.type = TQ_CONTAINER_OWNER_ALL;
  setText(infos.conInfoList[1].name, "Form guide");
  infos.conInfoList[1].type = 2;
  infos.conInfoList[1].owner.type = TQ_CONTAINER_OWNER_SCHEMA;
  setText(infos.conInfoList[1].owner.ownerName, "Tickets");
  TQContainerInfoList infosOut;
  roundTrip(xdr_TQContainerInfoList, &infos, &infosOut);
  EXPECT_STREQ(infosOut.conInfoList[1].name, "Form guide");
  EXPECT_EQ(infosOut.conInfoList[1].owner.type, uint32_t{TQ_CONTAINER_OWNER_SCHEMA});
  EXPECT_STREQ(infosOut.conInfoList[1].owner.ownerName, "Tickets");
  FreeTQContainerInfoList(&infosOut, 0);

  int32_t typeCodes[] = {1, -2, 2147483647};
  TQContainerTypeList types{3, typeCodes};
  TQContainerTypeList typesOut;
  roundTrip(xdr_TQContainerTypeList, &types, &typesOut);
  EXPECT_EQ(typesOut.type[1], -2);
  FreeTQContainerTypeList(&typesOut, 0);

  TQStructItemList items{2, pool.array<TQStructItemStruct>(2)};
  items.structItemList[0].type = TQ_STRUCT_ITEM_FILTER;
  setText(items.structItemList[0].name, "Escalate overdue");
  items.structItemList[1].type = TQ_STRUCT_ITEM_CHAR_MENU;
  setText(items.structItemList[1].name, "Priorities");
  TQStructItemList itemsOut;
  roundTrip(xdr_TQStructItemList, &items, &itemsOut);
  EXPECT_EQ(itemsOut.structItemList[1].type, uint32_t{TQ_STRUCT_ITEM_CHAR_MENU});
  EXPECT_STREQ(itemsOut.structItemList[0].name, "Escalate overdue");
  FreeTQStructItemList(&itemsOut, 0);
}

TEST(DefsRoundTrip, ServerInfoValuesOfEveryType) {
  SessionScope scope;
  Pool pool;
  unsigned char raw[4] = {0, 1, 254, 255};
  TQByteList bytes{9, 4, raw};
  TQCoordStruct points[2] = {{1, -1}, {-2147483647 - 1, 2147483647}};
  TQCoordList coords{2, points};
  TQAttachStruct attach{pool.text("report.pdf"), 4, 4, {}};
  attach.loc.locationType = TQ_LOC_BUFFER;
  attach.loc.u.buf = {4, raw};

  std::vector<TQValueStruct> values(12);
  values[0].dataType = TQ_DATA_TYPE_NULL;
  values[1].dataType = TQ_DATA_TYPE_KEYWORD;
  values[1].u.keyNum = 3;
  values[2] = intValue(-42);
  values[3].dataType = TQ_DATA_TYPE_REAL;
  values[3].u.realVal = 2.5e-10;
  values[4] = charValue(pool, "server name");
  values[5].dataType = TQ_DATA_TYPE_ENUM;
  values[5].u.enumVal = 2;
  values[6].dataType = TQ_DATA_TYPE_TIME;
  values[6].u.timeVal = 1700000000;
  values[7].dataType = TQ_DATA_TYPE_BITMASK;
  values[7].u.maskVal = 0x80000001u;
  values[8].dataType = TQ_DATA_TYPE_BYTES;
  values[8].u.byteListVal = &bytes;
  values[9].dataType = TQ_DATA_TYPE_DECIMAL;
  values[9].u.decimalVal = pool.text("12.50");
  values[10].dataType = TQ_DATA_TYPE_ULONG;
  values[10].u.ulongVal = 4000000000u;
  values[11].dataType = TQ_DATA_TYPE_COORDS;
  values[11].u.coordListVal = &coords;
  values.push_back(TQValueStruct{});
  values.back().dataType = TQ_DATA_TYPE_ATTACH;
  values.back().u.attachVal = &attach;

  TQServerInfoList in{static_cast<uint32_t>(values.size()),
                      pool.array<TQServerInfoStruct>(values.size())};
  for (size_t i = 0; i < values.size(); ++i) {
    in.serverInfoList[i] = {static_cast<uint32_t>(i + 1), values[i]};
  }
  TQServerInfoList out;
  roundTrip(xdr_TQServerInfoList, &in, &out);
  ASSERT_EQ(out.numItems, in.numItems);
  for (uint32_t i = 0; i < out.numItems; ++i) {
    EXPECT_EQ(out.serverInfoList[i].operation, i + 1);
    EXPECT_EQ(out.serverInfoList[i].value.dataType, values[i].dataType);
  }
  EXPECT_EQ(out.serverInfoList[1].value.u.keyNum, 3u);
  EXPECT_EQ(out.serverInfoList[2].value.u.intVal, -42);
  EXPECT_EQ(out.serverInfoList[3].value.u.realVal, 2.5e-10);
  EXPECT_EQ(str(out.serverInfoList[4].value.u.charVal), "server name");
  EXPECT_EQ(out.serverInfoList[6].value.u.timeVal, 1700000000);
  EXPECT_EQ(out.serverInfoList[7].value.u.maskVal, 0x80000001u);
  ASSERT_EQ(out.serverInfoList[8].value.u.byteListVal->numItems, 4u);
  EXPECT_EQ(out.serverInfoList[8].value.u.byteListVal->bytes[3], 255);
  EXPECT_EQ(str(out.serverInfoList[9].value.u.decimalVal), "12.50");
  EXPECT_EQ(out.serverInfoList[10].value.u.ulongVal, 4000000000u);
  EXPECT_EQ(out.serverInfoList[11].value.u.coordListVal->coords[1].x, -2147483647 - 1);
  const TQAttachStruct* back = out.serverInfoList[12].value.u.attachVal;
  EXPECT_EQ(str(back->name), "report.pdf");
  EXPECT_EQ(back->loc.u.buf.buffer[2], 254);
  FreeTQServerInfoList(&out, 0);
}

TEST(DefsRoundTrip, FullTextSettingsCarryAListForCodeTwoOnly) {
  SessionScope scope;
  Pool pool;
  TQValueStruct words3[3] = {charValue(pool, "the"), charValue(pool, "a"), charValue(pool, "of")};
  TQFullTextInfoList in{3, pool.array<TQFullTextInfoStruct>(3)};
  in.fullTextInfoList[0].infoType = 1;
  in.fullTextInfoList[0].u.value = charValue(pool, "/var/index");
  in.fullTextInfoList[1].infoType = TQ_FULLTEXT_INFO_VALUE_LIST;
  in.fullTextInfoList[1].u.valueList = {3, words3};
  in.fullTextInfoList[2].infoType = 6;
  in.fullTextInfoList[2].u.value = intValue(4);
  TQFullTextInfoList out;
  roundTrip(xdr_TQFullTextInfoList, &in, &out);
  EXPECT_EQ(str(out.fullTextInfoList[0].u.value.u.charVal), "/var/index");
  ASSERT_EQ(out.fullTextInfoList[1].u.valueList.numItems, 3u);
  EXPECT_EQ(str(out.fullTextInfoList[1].u.valueList.valueList[2].u.charVal), "of");
  EXPECT_EQ(out.fullTextInfoList[2].u.value.u.intVal, 4);
  FreeTQFullTextInfoList(&out, 0);
}

TEST(DefsRoundTrip, EscalationTimesOfBothTypes) {
  SessionScope scope;
  TQEscalationTmStruct interval{};
  interval.escalationTmType = TQ_ESCALATION_TYPE_INTERVAL;
  interval.u.interval = 3600;
  TQEscalationTmStruct out;
  EXPECT_EQ(roundTrip(xdr_TQEscalationTmStruct, &interval, &out), words({1, 3600}));
  TQEscalationTmStruct mark{};
  mark.escalationTmType = TQ_ESCALATION_TYPE_TIMEMARK;
  mark.u.date = {0x40000001u, 0x41u, 0x00FFFF00u, 59};
  EXPECT_EQ(roundTrip(xdr_TQEscalationTmStruct, &mark, &out),
            words({2, 0x40000001u, 0x41u, 0x00FFFF00u, 59}));
}

// A NEGATE carries both operands on the wire, but only the right one is the
// record's: a left operand that arrives is dropped at once, so that the
// release routines (which skip it) lose nothing.
TEST(DefsRoundTrip, NegateDropsTheLeftOperandItWouldNotRelease) {
  SessionScope scope;
  Pool pool;
  TQArithOpAssignStruct negate{};
  negate.operation = TQ_ARITH_OP_NEGATE;
  negate.left.assignType = TQ_ASSIGN_TYPE_PROCESS;
  negate.left.u.process = pool.text("must not travel");
  negate.right.assignType = TQ_ASSIGN_TYPE_VALUE;
  negate.right.u.value = intValue(5);
  // Sent: operation, an empty left operand, the right operand.
  EXPECT_EQ(encodeWith(xdr_TQArithOpAssignStruct, &negate),
            words({TQ_ARITH_OP_NEGATE, 0, TQ_ASSIGN_TYPE_VALUE, TQ_DATA_TYPE_INTEGER, 5}));

  const Bytes received = words({TQ_ARITH_OP_NEGATE, TQ_ASSIGN_TYPE_PROCESS}) +
                         countedText("left from the peer") +
                         words({TQ_ASSIGN_TYPE_VALUE, TQ_DATA_TYPE_INTEGER, 5});
  auto* decoded =
      static_cast<TQArithOpAssignStruct*>(std::calloc(1, sizeof(TQArithOpAssignStruct)));
  ASSERT_TRUE(decodeWith(xdr_TQArithOpAssignStruct, received, decoded));
  EXPECT_EQ(decoded->left.assignType, 0u);
  EXPECT_EQ(decoded->right.u.value.u.intVal, 5);
  FreeTQArithOpAssignStruct(decoded, 1);  // nothing may leak
}

}  // namespace
