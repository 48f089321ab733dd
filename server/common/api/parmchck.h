// Argument checks that every operation runs on the client before it binds to
// a server or sends anything.
//
// Result of every check: 0 when the input passed; otherwise the message type
// of the first item of the status list after the failure was appended (the
// list is sorted most severe first), or 3 when appending ran out of memory.
// A result of 2 or more means failure: callers compare with `< 2`, never with
// `== 0`, because a check may pass with a warning (the permission list, 50).
//
// Failures are appended as error statuses (type 2) with an empty appended
// text, or with the offending code as decimal text where noted. An inner
// check records its own error first and the outer check then adds its own
// number, so the outer number stands ahead of the inner one in the list.
//
// Every length limit is measured as an encoded length: the byte length of a
// text, or its length after conversion to the server's code page when that is
// longer (the current session's client and server code pages; plain bytes
// when the thread has no current session). A fixed-size name array that holds
// no terminator counts as too long.
//
// Some checks normalise their input in place: a missing optional text becomes
// an empty text (error 154 when that byte cannot be allocated), a value whose
// pointer is NULL becomes the NULL value. Inputs are therefore non-const.
//
// A counted array whose count is non-zero but whose item pointer is NULL is
// reported as 165 before any item is looked at.
//
// How an operation uses this unit: it calls exactly one tqCheckArgs...
// function (bottom of this header) with its arguments in order. The function
// runs the operation's checks in argument order and stops at the first result
// of 2 or more; the operation goes on only when the result is below 2.
// Checks that belong to the operation itself (warning 54, order 169, ...) are
// the operation's own and run before this sequence.
#pragma once

#include <cstdint>

#include "tqlink.h"

// --- Error numbers ---------------------------------------------------------

inline constexpr int32_t kTQErrWrongParmSequence = 0;  // open dialog: assignment list failed
inline constexpr int32_t kTQWarnNoPermissions = 50;
inline constexpr int32_t kTQErrWrongActionForEscalation = 46;
inline constexpr int32_t kTQErrNoEntryId = 100;
inline constexpr int32_t kTQErrNameMissing = 102;
inline constexpr int32_t kTQErrNameTooLong = 103;
inline constexpr int32_t kTQErrFieldValueListMissing = 104;
inline constexpr int32_t kTQErrNoOutput = 105;
inline constexpr int32_t kTQErrEntryIdListMissing = 106;
inline constexpr int32_t kTQErrFileNameTooLong = 109;
inline constexpr int32_t kTQErrBadDataType = 110;
inline constexpr int32_t kTQErrBadCharMenu = 112;
inline constexpr int32_t kTQErrNoEnumValues = 113;
inline constexpr int32_t kTQErrBadEnumValue = 114;
inline constexpr int32_t kTQErrNoFilterActions = 116;
inline constexpr int32_t kTQErrBadProcess = 117;
inline constexpr int32_t kTQErrEntryIdTooLong = 121;
inline constexpr int32_t kTQErrNoRequests = 122;
inline constexpr int32_t kTQErrBadServerInfoCode = 123;
inline constexpr int32_t kTQErrBadFieldValue = 124;
inline constexpr int32_t kTQErrBadPermissionList = 127;
inline constexpr int32_t kTQErrBadPermission = 128;
inline constexpr int32_t kTQErrBadFieldLimit = 129;
inline constexpr int32_t kTQErrBadMenuItem = 130;
inline constexpr int32_t kTQErrBadMenuItemType = 131;
inline constexpr int32_t kTQErrNoStructItems = 132;
inline constexpr int32_t kTQErrBadStructItemType = 133;
inline constexpr int32_t kTQErrBadStructItem = 134;
inline constexpr int32_t kTQErrBadFilterAction = 135;
inline constexpr int32_t kTQErrBadNotifyMechanism = 136;
inline constexpr int32_t kTQErrBadMessageType = 137;
inline constexpr int32_t kTQErrBadMessageNumber = 138;
inline constexpr int32_t kTQErrEmptyQualifier = 141;
inline constexpr int32_t kTQErrBadQualifierOp = 142;
inline constexpr int32_t kTQErrNoRelOp = 143;
inline constexpr int32_t kTQErrBadRelOp = 144;
inline constexpr int32_t kTQErrNoArithOp = 145;
inline constexpr int32_t kTQErrBadArithOp = 146;
inline constexpr int32_t kTQErrNoOperand = 147;
inline constexpr int32_t kTQErrBadOperandTag = 148;
inline constexpr int32_t kTQErrNoUser = 149;
inline constexpr int32_t kTQErrNoServer = 150;
inline constexpr int32_t kTQErrNoSchema = 151;
inline constexpr int32_t kTQErrBadSortList = 152;
inline constexpr int32_t kTQErrBadSortOrder = 153;
inline constexpr int32_t kTQErrNoMemory = 154;
inline constexpr int32_t kTQErrNotifyText = 162;
inline constexpr int32_t kTQErrNotifyFieldList = 163;
inline constexpr int32_t kTQErrNullArray = 165;
inline constexpr int32_t kTQErrBadStatHistory = 170;
inline constexpr int32_t kTQErrTooManyActions = 182;
inline constexpr int32_t kTQErrNoActiveLinkActions = 189;
inline constexpr int32_t kTQErrBadActiveLinkAction = 190;
inline constexpr int32_t kTQErrBadAssignType = 191;
inline constexpr int32_t kTQErrNoAssignments = 192;
inline constexpr int32_t kTQErrBadAssignment = 193;
inline constexpr int32_t kTQErrBadAssignFieldTag = 194;
inline constexpr int32_t kTQErrNoAssignRecord = 195;
inline constexpr int32_t kTQErrBadMacro = 196;
inline constexpr int32_t kTQErrBadKeyword = 197;
inline constexpr int32_t kTQErrMacroParmName = 199;
inline constexpr int32_t kTQErrMacroParmValue = 200;
inline constexpr int32_t kTQErrNotifyUser = 202;
inline constexpr int32_t kTQErrNoValueSet = 203;
inline constexpr int32_t kTQErrNotifyPriority = 204;
inline constexpr int32_t kTQErrBadMenuType = 206;
inline constexpr int32_t kTQErrBadMenuFileLocation = 208;
inline constexpr int32_t kTQErrBadMenuFileName = 209;
inline constexpr int32_t kTQErrBadIndex = 211;
inline constexpr int32_t kTQErrNoProperties = 212;
inline constexpr int32_t kTQErrBadListField = 214;
inline constexpr int32_t kTQErrNoServerInfo = 216;
inline constexpr int32_t kTQErrServerInfoNotSettable = 217;
inline constexpr int32_t kTQErrServerInfoNotReadable = 218;
inline constexpr int32_t kTQErrBadServerInfoValue = 219;
inline constexpr int32_t kTQErrBadLocalVariable = 220;
inline constexpr int32_t kTQErrNoQuery = 221;
inline constexpr int32_t kTQErrBadQuery = 222;
inline constexpr int32_t kTQErrBadQueryMultiMatch = 223;
inline constexpr int32_t kTQErrBadFocus = 227;
inline constexpr int32_t kTQErrBadAccessOption = 228;
inline constexpr int32_t kTQErrNoFunction = 229;
inline constexpr int32_t kTQErrBadFunctionCode = 230;
inline constexpr int32_t kTQErrNoFunctionParms = 231;
inline constexpr int32_t kTQErrBadDdeName = 237;
inline constexpr int32_t kTQErrBadDdeItem = 238;
inline constexpr int32_t kTQErrBadDdeAction = 239;
inline constexpr int32_t kTQErrNoDde = 243;
inline constexpr int32_t kTQErrNotifySubject = 254;
inline constexpr int32_t kTQErrBadStatisticsCode = 256;
inline constexpr int32_t kTQErrDuplicateVui = 257;
inline constexpr int32_t kTQErrBadNoMatchOption = 259;
inline constexpr int32_t kTQErrBadMultiMatchOption = 260;
inline constexpr int32_t kTQErrNoSqlCommand = 261;
inline constexpr int32_t kTQErrNoSchemaType = 265;
inline constexpr int32_t kTQErrBadJoinMember = 266;
inline constexpr int32_t kTQErrBadJoinQualifier = 267;
inline constexpr int32_t kTQErrBadSchemaType = 269;
inline constexpr int32_t kTQErrNoFieldMapping = 270;
inline constexpr int32_t kTQErrBadJoinIndex = 271;
inline constexpr int32_t kTQErrBadViewColumn = 272;
inline constexpr int32_t kTQErrBadFieldMapping = 273;
inline constexpr int32_t kTQErrNoEscalationActions = 284;
inline constexpr int32_t kTQErrBadMessageText = 291;
inline constexpr int32_t kTQErrBadFieldId = 314;
inline constexpr int32_t kTQErrMenuTooDeep = 321;
inline constexpr int32_t kTQErrTooManyMenuItems = 357;
inline constexpr int32_t kTQErrBadEscalationAction = 422;
inline constexpr int32_t kTQErrNoFullTextInfo = 651;
inline constexpr int32_t kTQErrBadFullTextValue = 652;
inline constexpr int32_t kTQErrBadFullTextCode = 654;
inline constexpr int32_t kTQErrNoMethodCall = 8704;
inline constexpr int32_t kTQErrNoMethods = 8705;
inline constexpr int32_t kTQErrBadMethodValue = 8706;
inline constexpr int32_t kTQErrBadAutomationName = 8707;
inline constexpr int32_t kTQErrBadActionText = 8708;
inline constexpr int32_t kTQErrBadMethod = 8709;
inline constexpr int32_t kTQErrNoMethod = 8711;
inline constexpr int32_t kTQErrNoMethodParm = 8713;
inline constexpr int32_t kTQErrBadMethodParm = 8714;
inline constexpr int32_t kTQErrBadClassId = 8715;
inline constexpr int32_t kTQErrNoOpenDialog = 8720;
inline constexpr int32_t kTQErrNoCallGuide = 8721;
inline constexpr int32_t kTQErrNoGuideName = 8722;
inline constexpr int32_t kTQErrBadGuideLabel = 8723;
inline constexpr int32_t kTQErrBadGotoAction = 8724;
inline constexpr int32_t kTQErrBadWaitTitle = 8725;
inline constexpr int32_t kTQErrBadContainerOwner = 8800;
inline constexpr int32_t kTQErrNoReference = 8801;
inline constexpr int32_t kTQErrBadReferenceType = 8802;
inline constexpr int32_t kTQErrNoReferenceLabel = 8803;

// The error recorded after a table field's schema name, server name or
// qualification failed inside the field-limit check.
inline constexpr int32_t kTQErrBadTableLimit = kTQErrBadFieldLimit;

// --- Measuring --------------------------------------------------------------

// Encoded length of a terminated text (0 for NULL): with a current session,
// the larger of its byte length and its length in the server's code page;
// without one, its byte length.
size_t tqParmEncodedLength(const char* text);

// --- Control record, names, entry ids (parmchck_names.cpp) -----------------

// 149 NULL control or empty user; 103 user or password longer than 30;
// 150 empty server; 103 server without a terminator in its array.
uint32_t tqCheckControl(const TQControlStruct* control, TQStatusList* status);

// A definition name: 102 NULL or empty (allow-empty clear), 103 longer than 30.
uint32_t tqCheckName(const char* name, TQBoolean allowEmpty, TQStatusList* status);

// 106 NULL or empty list, 165, 121 an id longer than 15 (empty ids are
// skipped), 100 no non-empty id.
uint32_t tqCheckEntryIdList(const TQEntryIdList* list, TQStatusList* status);

// 106 NULL or empty (allow-empty clear), 165; then every member list.
uint32_t tqCheckEntryIdListList(const TQEntryIdListList* list, TQBoolean allowEmpty,
                                TQStatusList* status);

// The three combined opening checks.
uint32_t tqCheckControlAndName(const TQControlStruct* control, const char* name,
                               TQBoolean allowEmpty, TQStatusList* status);
// The name is required, the new name (of a rename) may be empty.
uint32_t tqCheckControlNameNewName(const TQControlStruct* control, const char* name,
                                   const char* newName, TQStatusList* status);
// The name may be empty; noOutput set means the caller passed no result
// pointer: 105.
uint32_t tqCheckControlNameOutput(const TQControlStruct* control, const char* name,
                                  TQBoolean noOutput, TQStatusList* status);

// --- Values and qualifications (parmchck_values.cpp) ------------------------

// NULL passes. 110 tag 42 or more, 197 keyword above 21, 165 a byte or
// coordinate list with items but no array. Tags 4, 5, 9, 10, 11 and 41 with a
// NULL pointer become the NULL value (tag 0).
uint32_t tqCheckValue(TQValueStruct* value, TQStatusList* status);
// 203 NULL or empty, 165; then every value.
uint32_t tqCheckValueList(TQValueList* list, TQStatusList* status);
// 104 NULL or empty (allow-empty clear), 165; a failing value adds 124.
uint32_t tqCheckFieldValueList(TQFieldValueList* list, TQBoolean allowEmpty, TQStatusList* status);
// 147 NULL, 170 bad status-history selector, 220 variable above 10, 148 other
// tags; VALUE, ARITHMETIC, VALUE SET and QUERY operands are checked deeper.
uint32_t tqCheckOperand(TQFieldValueOrArithStruct* operand, TQStatusList* status);
// 145 NULL, 146 operation 0 or above 6. NEGATE sets the left operand's tag
// to FIELD and checks only the right one.
uint32_t tqCheckArithOp(TQArithOpStruct* arithOp, TQStatusList* status);
// 143 NULL, 144 operation outside 1 to 7; left operand, then right.
uint32_t tqCheckRelOp(TQRelOpStruct* relOp, TQStatusList* status);
// NULL passes; 141 operation 0 with allow-empty clear; 142 unknown operation.
// Sub-qualifiers of AND, OR and NOT are checked with allow-empty clear.
uint32_t tqCheckQualifier(TQQualifierStruct* qualifier, TQBoolean allowEmpty, TQStatusList* status);
// 221 NULL; 222 bad schema, server, qualifier or value field id 0 (after the
// inner error, if any); 223 multi-match code outside 1 to 3.
uint32_t tqCheckQueryValue(TQQueryValueStruct* query, TQStatusList* status);

// --- Schema and field records (parmchck_defs.cpp) ---------------------------

// 265 NULL or type 0 (allow-empty clear); join: 266 member names, 267 join
// qualification; 269 unknown type.
uint32_t tqCheckCompoundSchema(TQCompoundSchema* schema, TQBoolean allowEmpty,
                               TQStatusList* status);
// 270 NULL or type 0 (allow-empty clear), 271 join member index, 272 view
// column name, 273 unknown type.
uint32_t tqCheckFieldMapping(const TQFieldMappingStruct* mapping, TQBoolean allowEmpty,
                             TQStatusList* status);
// 214 an item (field id other than 99) with field id 0, column width 0 or a
// separator longer than 10.
uint32_t tqCheckEntryListFieldList(const TQEntryListFieldList* list, TQStatusList* status);
// A sort order other than 1 or 2 records 153, then 152.
uint32_t tqCheckSortList(const TQSortList* list, TQStatusList* status);
// 211 an index with 0 or more than 16 fields.
uint32_t tqCheckIndexList(const TQIndexList* list, TQStatusList* status);
// NULL or empty with allow-empty clear: warning 50, the result is the list's
// top type (1 unless an error is already listed) and the call goes on.
// A permission above 2 records 128, then 127.
uint32_t tqCheckPermissionList(const TQPermissionList* list, TQBoolean allowEmpty,
                               TQStatusList* status);
// 212 NULL or empty (allow-empty clear), 165; every property's value check.
uint32_t tqCheckPropList(TQPropList* list, TQBoolean allowEmpty, TQStatusList* status);
// Common properties (may be empty), 212 no instances (allow-empty clear),
// every instance's properties (may be empty), 257 a view id used twice.
uint32_t tqCheckDisplayInstanceList(TQDisplayInstanceList* list, TQBoolean allowEmpty,
                                    TQStatusList* status);
// NULL passes; 129 for every limit that does not fit its data type; 113 and
// 114 for enumerated and bitmask names. A NULL character pattern becomes an
// empty text.
uint32_t tqCheckFieldLimit(TQFieldLimitStruct* limit, TQStatusList* status);

// --- Character menus (parmchck_menu.cpp) ------------------------------------

// Checks a menu and its sub-menus; depth is 0 for the top menu, and a menu at
// depth 16 or more is 321.
uint32_t tqCheckCharMenu(TQCharMenuStruct* menu, TQBoolean allowEmpty, uint32_t depth,
                         TQStatusList* status);

// --- Assignments (parmchck_assign.cpp) --------------------------------------

uint32_t tqCheckFieldAssignList(TQFieldAssignList* list, TQStatusList* status);
uint32_t tqCheckAssign(TQAssignStruct* assign, TQStatusList* status);
uint32_t tqCheckAssignField(TQAssignFieldStruct* field, TQStatusList* status);
uint32_t tqCheckArithOpAssign(TQArithOpAssignStruct* arithOp, TQStatusList* status);
uint32_t tqCheckFunctionAssign(TQFunctionAssignStruct* function, TQStatusList* status);
uint32_t tqCheckAssignSql(const TQAssignSQLStruct* sql, TQStatusList* status);
// 243 NULL; 237, 238, 239, 109, 117; NULL item and command become empty texts.
uint32_t tqCheckDde(TQDDEStruct* dde, TQStatusList* status);
uint32_t tqCheckPushFieldsList(TQPushFieldsList* list, TQStatusList* status);

// --- Filter, escalation and active-link actions (parmchck_actions.cpp) ------

// escalation selects 284/422 instead of 116/135 and refuses MESSAGE (46);
// elseList with escalation refuses LOG FILE (46).
uint32_t tqCheckFilterActionList(TQFilterActionList* list, TQBoolean escalation, TQBoolean elseList,
                                 TQStatusList* status);
uint32_t tqCheckFilterAction(TQFilterActionStruct* action, TQBoolean escalation, TQBoolean elseList,
                             TQStatusList* status);
uint32_t tqCheckActiveLinkActionList(TQActiveLinkActionList* list, TQStatusList* status);
uint32_t tqCheckActiveLinkAction(TQActiveLinkActionStruct* action, TQStatusList* status);
uint32_t tqCheckMethodCall(TQMethodCallStruct* call, TQStatusList* status);
uint32_t tqCheckMethod(TQMethodStruct* method, TQStatusList* status);

// --- Server, full-text, export records (parmchck_server.cpp) ---------------
//
// The request and setting lists examine every item and record one error per
// bad item, with the code appended; the result is that of the last recording.

uint32_t tqCheckServerInfoRequestList(const TQServerInfoRequestList* list, TQStatusList* status);
uint32_t tqCheckServerStatisticsRequestList(const TQServerInfoRequestList* list,
                                            TQStatusList* status);
uint32_t tqCheckServerInfoList(const TQServerInfoList* list, TQStatusList* status);
uint32_t tqCheckFullTextInfoRequestList(const TQFullTextInfoRequestList* list,
                                        TQStatusList* status);
uint32_t tqCheckFullTextInfoList(const TQFullTextInfoList* list, TQStatusList* status);
// 132 NULL or empty (allow-empty clear; the import flag also lets it pass);
// 133 with the type appended and 134 for a type that cannot be exported (or
// imported); 134 after a failing name.
uint32_t tqCheckStructItemList(const TQStructItemList* list, TQBoolean allowEmpty, TQBoolean import,
                               TQStatusList* status);

// --- Containers (parmchck_server.cpp) ---------------------------------------

uint32_t tqCheckContainerOwner(const TQContainerOwnerObj* owner, TQStatusList* status);
// 165 for a count without items.
uint32_t tqCheckContainerTypeList(const TQContainerTypeList* list, TQStatusList* status);
uint32_t tqCheckReferenceTypeList(const TQReferenceTypeList* list, TQStatusList* status);
uint32_t tqCheckReference(TQReferenceStruct* reference, TQStatusList* status);
uint32_t tqCheckReferenceList(TQReferenceList* list, TQStatusList* status);

// --- Running a sequence ------------------------------------------------------

// Runs the given checks (callables returning a check result) in order and
// stops at the first result of 2 or more. Returns the highest result seen, so
// that a warning of an earlier check (permission list, 50) is not lost when
// later checks pass.
template <typename... Check>
uint32_t tqCheckSequence(Check&&... check) {
  uint32_t result = 0;
  bool failed = false;
  auto run = [&](auto& one) {
    if (failed) return;
    uint32_t r = one();
    if (r > result) result = r;
    failed = r >= 2;
  };
  (run(check), ...);
  return result;
}

// --- Per-operation sequences (parmchck_ops.cpp) -----------------------------
//
// One function per row of operations that share their checks. Arguments that
// have no check of their own are left out; "owner" is the further name that
// the definition operations carry (may be empty). Lists and records may be
// NULL where the operation allows it.

// TQGetEntry, TQDeleteEntry, TQGetEntryBLOB.
uint32_t tqCheckArgsGetEntry(const TQControlStruct* control, const char* schema,
                             const TQEntryIdList* entryIds, TQStatusList* status);
uint32_t tqCheckArgsSetEntry(const TQControlStruct* control, const char* schema,
                             const TQEntryIdList* entryIds, TQFieldValueList* values,
                             TQStatusList* status);
uint32_t tqCheckArgsCreateEntry(const TQControlStruct* control, const char* schema,
                                TQFieldValueList* values, TQStatusList* status);
uint32_t tqCheckArgsMergeEntry(const TQControlStruct* control, const char* schema,
                               TQFieldValueList* values, TQStatusList* status);
// The operation returns at once for a NULL list list before calling this.
uint32_t tqCheckArgsGetMultipleEntries(const TQControlStruct* control, const char* schema,
                                       const TQEntryIdListList* entryIds, TQStatusList* status);
// TQGetListEntry, TQGetListEntryWithFields.
uint32_t tqCheckArgsGetListEntry(const TQControlStruct* control, const char* schema,
                                 TQQualifierStruct* qualifier,
                                 const TQEntryListFieldList* listFields, const TQSortList* sortList,
                                 TQStatusList* status);
// The target is checked unless it is NULL or has tag 0.
uint32_t tqCheckArgsGetEntryStatistics(const TQControlStruct* control, const char* schema,
                                       TQQualifierStruct* qualifier,
                                       TQFieldValueOrArithStruct* target, TQStatusList* status);

// Control and a required name: the get and delete operations of schemas,
// fields (TQGetListField, TQDeleteMultipleFields too), menus, filters, active
// links, escalations, VUIs, and TQDeleteContainer; the support-file calls.
uint32_t tqCheckArgsControlName(const TQControlStruct* control, const char* name,
                                TQStatusList* status);
// Control alone: TQGetListSchema, TQGetListUser, TQVerifyUser, TQGetListSQL,
// TQGetListCharMenu, TQExecuteProcess.
uint32_t tqCheckArgsControl(const TQControlStruct* control, TQStatusList* status);
// TQGetListGroup, TQGetListFilter, TQGetListActiveLink, TQGetListEscalation,
// TQGetListVUI: the name may be empty, no result pointer is 105.
uint32_t tqCheckArgsGetListByName(const TQControlStruct* control, const char* name,
                                  TQBoolean noOutput, TQStatusList* status);
// TQLoadTQQualifierStruct: the schema name only.
uint32_t tqCheckArgsLoadQualifier(const char* schema, TQStatusList* status);

uint32_t tqCheckArgsSetSchema(const TQControlStruct* control, const char* name, const char* newName,
                              TQCompoundSchema* schema, const TQPermissionList* groups,
                              const TQEntryListFieldList* listFields, const TQSortList* sortList,
                              const TQIndexList* indexes, const char* owner, TQStatusList* status);
uint32_t tqCheckArgsCreateSchema(const TQControlStruct* control, const char* name,
                                 TQCompoundSchema* schema, const TQPermissionList* groups,
                                 const TQEntryListFieldList* listFields, const TQSortList* sortList,
                                 const TQIndexList* indexes, const char* owner,
                                 TQStatusList* status);

uint32_t tqCheckArgsSetField(const TQControlStruct* control, const char* schema,
                             const char* fieldName, TQValueStruct* defaultValue,
                             const TQPermissionList* permissions, TQFieldLimitStruct* limit,
                             TQDisplayInstanceList* instances, const char* owner,
                             TQStatusList* status);
// The permission list may be empty only for data type 32 (warning 50 else).
uint32_t tqCheckArgsCreateField(const TQControlStruct* control, const char* schema,
                                const char* fieldName, const TQFieldMappingStruct* mapping,
                                uint32_t dataType, TQValueStruct* defaultValue,
                                const TQPermissionList* permissions, TQFieldLimitStruct* limit,
                                TQDisplayInstanceList* instances, const char* owner,
                                TQStatusList* status);

uint32_t tqCheckArgsSetCharMenu(const TQControlStruct* control, const char* name,
                                const char* newName, TQCharMenuStruct* menu, const char* owner,
                                TQStatusList* status);
uint32_t tqCheckArgsCreateCharMenu(const TQControlStruct* control, const char* name,
                                   TQCharMenuStruct* menu, const char* owner, TQStatusList* status);
uint32_t tqCheckArgsExpandCharMenu(const TQControlStruct* control, TQCharMenuStruct* menu,
                                   TQStatusList* status);

// Filters and escalations. A set checks the action list only when it is
// given; both check the else-action list only when it has items.
uint32_t tqCheckArgsSetFilter(const TQControlStruct* control, const char* name, const char* newName,
                              const char* schema, TQQualifierStruct* qualifier,
                              TQFilterActionList* actions, TQFilterActionList* elseActions,
                              const char* owner, TQStatusList* status);
uint32_t tqCheckArgsCreateFilter(const TQControlStruct* control, const char* name,
                                 const char* schema, TQQualifierStruct* qualifier,
                                 TQFilterActionList* actions, TQFilterActionList* elseActions,
                                 const char* owner, TQStatusList* status);
uint32_t tqCheckArgsSetEscalation(const TQControlStruct* control, const char* name,
                                  const char* newName, const char* schema,
                                  TQQualifierStruct* qualifier, TQFilterActionList* actions,
                                  TQFilterActionList* elseActions, const char* owner,
                                  TQStatusList* status);
uint32_t tqCheckArgsCreateEscalation(const TQControlStruct* control, const char* name,
                                     const char* schema, TQQualifierStruct* qualifier,
                                     TQFilterActionList* actions, TQFilterActionList* elseActions,
                                     const char* owner, TQStatusList* status);
uint32_t tqCheckArgsSetActiveLink(const TQControlStruct* control, const char* name,
                                  const char* newName, const char* schema,
                                  TQQualifierStruct* qualifier, TQActiveLinkActionList* actions,
                                  TQActiveLinkActionList* elseActions, const char* owner,
                                  TQStatusList* status);
uint32_t tqCheckArgsCreateActiveLink(const TQControlStruct* control, const char* name,
                                     const char* schema, TQQualifierStruct* qualifier,
                                     TQActiveLinkActionList* actions,
                                     TQActiveLinkActionList* elseActions, const char* owner,
                                     TQStatusList* status);

// TQSetVUI, TQCreateVUI.
uint32_t tqCheckArgsSetVUI(const TQControlStruct* control, const char* schema, const char* vuiName,
                           TQPropList* props, const char* owner, TQStatusList* status);

uint32_t tqCheckArgsGetContainer(const TQControlStruct* control, const char* name,
                                 const TQReferenceTypeList* refTypes, TQStatusList* status);
uint32_t tqCheckArgsSetContainer(const TQControlStruct* control, const char* name,
                                 const char* newName, const TQPermissionList* groups,
                                 const TQContainerOwnerObj* ownerObj, TQReferenceList* references,
                                 const char* owner, TQStatusList* status);
uint32_t tqCheckArgsCreateContainer(const TQControlStruct* control, const char* name,
                                    const TQPermissionList* groups,
                                    const TQContainerOwnerObj* ownerObj,
                                    TQReferenceList* references, const char* owner,
                                    TQStatusList* status);
uint32_t tqCheckArgsGetListContainer(const TQControlStruct* control,
                                     const TQContainerTypeList* types,
                                     const TQContainerOwnerObj* ownerObj, TQStatusList* status);

// TQExport, TQExportToFile.
uint32_t tqCheckArgsExport(const TQControlStruct* control, const TQStructItemList* items,
                           TQStatusList* status);
uint32_t tqCheckArgsImport(const TQControlStruct* control, const TQStructItemList* items,
                           TQStatusList* status);

uint32_t tqCheckArgsGetServerInfo(const TQControlStruct* control,
                                  const TQServerInfoRequestList* requests, TQStatusList* status);
uint32_t tqCheckArgsSetServerInfo(const TQControlStruct* control, const TQServerInfoList* infos,
                                  TQStatusList* status);
uint32_t tqCheckArgsGetServerStatistics(const TQControlStruct* control,
                                        const TQServerInfoRequestList* requests,
                                        TQStatusList* status);
uint32_t tqCheckArgsGetFullTextInfo(const TQControlStruct* control,
                                    const TQFullTextInfoRequestList* requests,
                                    TQStatusList* status);
uint32_t tqCheckArgsSetFullTextInfo(const TQControlStruct* control, const TQFullTextInfoList* infos,
                                    TQStatusList* status);
