// XDR routines of the definition records: permissions, groups and users,
// compound schemas, field mappings and indexes, field limits, displays and
// properties, character menus, assignments, filter and active-link actions,
// escalation times, export items, containers and references, and the
// full-text settings (the server-info records are in xdr_session.h).
//
// Each routine encodes, decodes or frees by the handle's direction, under
// the rules of xdr_base.h: a decode expects a zeroed record, allocates what
// it fills in, and never allocates beyond what the message holds. Union
// records send their tag (unsigned int) and then the arm the tag selects; a
// tag outside the record's cases fails encode and decode. Sub-records behind
// pointers travel as optional pointers. Character fields go through the
// converting routines of tqxdr (a current session is needed): fixed arrays
// as fixed texts of the array's size, text pointers as bounded texts.
//
// Wire bounds of the texts. A text whose record allows at most N characters
// travels with the bound N + 1, the same rule as the pattern text(256) of the
// character limits and the item value text(256) of a menu; texts without a
// limit are unbounded. A decode refuses a longer text.
//
// Choices where the record leaves the encoding open, kept here in one place:
//  - Every tag 0 ("none") travels as the tag alone, so that records filled
//    with defaults can be sent.
//  - The field-id list of a notify action always travels (it belongs to the
//    record whatever the list kind), and is released whatever the kind, as
//    FreeTQFilterActionStruct does.
//  - An arithmetic assignment whose operation is NEGATE carries both operands
//    on the wire, but only the right one belongs to the record (the release
//    routines leave the left alone): the left is sent as an empty assignment
//    (type 0), a received left operand is released at once, and the free
//    direction touches only the right one. A record therefore never owns
//    something its release routine would lose.
//  - The table name of a view schema is a fixed vector of 256 chars, one
//    4-byte word each and not converted; a decode always terminates it inside
//    the array, so that no unterminated text reaches the caller.
//  - A full-text setting of code 2 carries a value list; every other code
//    carries one value.
#pragma once

#include <rpc/rpc.h>

#include <cstdint>

#include "tqlink.h"

// Wire bounds of the definition texts (see above).
inline constexpr uint32_t kTQWireLimitedText = 256;  // at most 255 characters
inline constexpr uint32_t kTQWirePromptText = 4096;  // message of a definition: 4095
inline constexpr uint32_t kTQWireMenuName = 31;      // character-menu name: 30
inline constexpr uint32_t kTQWireShortText = 65;     // 64: DDE service and topic, ...
inline constexpr uint32_t kTQWireDdeItem = 32768;    // 32767
inline constexpr uint32_t kTQWireMethodText = 129;   // 128: method names, guide labels
inline constexpr uint32_t kTQWireClassId = 2001;     // 2000
inline constexpr uint32_t kTQWireTableName = 256;    // view schema, chars on the wire

// --- Permissions, groups, users
bool_t xdr_TQPermissionStruct(XDR* xdrs, TQPermissionStruct* permission);
bool_t xdr_TQPermissionList(XDR* xdrs, TQPermissionList* permissions);
bool_t xdr_TQGroupInfoStruct(XDR* xdrs, TQGroupInfoStruct* group);
bool_t xdr_TQGroupInfoList(XDR* xdrs, TQGroupInfoList* groups);
bool_t xdr_TQUserLicenseStruct(XDR* xdrs, TQUserLicenseStruct* license);
bool_t xdr_TQUserLicenseList(XDR* xdrs, TQUserLicenseList* licenses);
bool_t xdr_TQUserInfoStruct(XDR* xdrs, TQUserInfoStruct* user);
bool_t xdr_TQUserInfoList(XDR* xdrs, TQUserInfoList* users);

// --- Schemas, field mappings, indexes, export items
bool_t xdr_TQJoinSchema(XDR* xdrs, TQJoinSchema* join);
bool_t xdr_TQViewSchema(XDR* xdrs, TQViewSchema* view);
bool_t xdr_TQCompoundSchema(XDR* xdrs, TQCompoundSchema* schema);
bool_t xdr_TQJoinMappingStruct(XDR* xdrs, TQJoinMappingStruct* mapping);
bool_t xdr_TQViewMappingStruct(XDR* xdrs, TQViewMappingStruct* mapping);
bool_t xdr_TQFieldMappingStruct(XDR* xdrs, TQFieldMappingStruct* mapping);
bool_t xdr_TQIndexStruct(XDR* xdrs, TQIndexStruct* index);
bool_t xdr_TQIndexList(XDR* xdrs, TQIndexList* indexes);
bool_t xdr_TQStructItemStruct(XDR* xdrs, TQStructItemStruct* item);
bool_t xdr_TQStructItemList(XDR* xdrs, TQStructItemList* items);

// --- Field limits
bool_t xdr_TQIntegerLimitsStruct(XDR* xdrs, TQIntegerLimitsStruct* limits);
bool_t xdr_TQRealLimitsStruct(XDR* xdrs, TQRealLimitsStruct* limits);
bool_t xdr_TQCharLimitsStruct(XDR* xdrs, TQCharLimitsStruct* limits);
bool_t xdr_TQDiaryLimitsStruct(XDR* xdrs, TQDiaryLimitsStruct* limits);
bool_t xdr_TQDecimalLimitsStruct(XDR* xdrs, TQDecimalLimitsStruct* limits);
bool_t xdr_TQAttachLimitsStruct(XDR* xdrs, TQAttachLimitsStruct* limits);
bool_t xdr_TQTableLimitsStruct(XDR* xdrs, TQTableLimitsStruct* limits);
bool_t xdr_TQColumnLimitsStruct(XDR* xdrs, TQColumnLimitsStruct* limits);
bool_t xdr_TQFieldLimitStruct(XDR* xdrs, TQFieldLimitStruct* limit);

// --- Displays, properties, display instances
bool_t xdr_TQDisplayStruct(XDR* xdrs, TQDisplayStruct* display);
bool_t xdr_TQDisplayList(XDR* xdrs, TQDisplayList* displays);
bool_t xdr_TQPropStruct(XDR* xdrs, TQPropStruct* prop);
bool_t xdr_TQPropList(XDR* xdrs, TQPropList* props);
bool_t xdr_TQDisplayInstanceStruct(XDR* xdrs, TQDisplayInstanceStruct* instance);
bool_t xdr_TQDisplayInstanceList(XDR* xdrs, TQDisplayInstanceList* instances);

// --- Character menus
bool_t xdr_TQCharMenuItemStruct(XDR* xdrs, TQCharMenuItemStruct* item);
bool_t xdr_TQCharMenuList(XDR* xdrs, TQCharMenuList* items);
bool_t xdr_TQCharMenuQueryStruct(XDR* xdrs, TQCharMenuQueryStruct* query);
bool_t xdr_TQCharMenuFileStruct(XDR* xdrs, TQCharMenuFileStruct* file);
bool_t xdr_TQCharMenuSQLStruct(XDR* xdrs, TQCharMenuSQLStruct* sql);
bool_t xdr_TQCharMenuStruct(XDR* xdrs, TQCharMenuStruct* menu);

// --- Assignments
bool_t xdr_TQAssignStruct(XDR* xdrs, TQAssignStruct* assign);
bool_t xdr_TQAssignFieldStruct(XDR* xdrs, TQAssignFieldStruct* field);
bool_t xdr_TQArithOpAssignStruct(XDR* xdrs, TQArithOpAssignStruct* arithOp);
bool_t xdr_TQFunctionAssignStruct(XDR* xdrs, TQFunctionAssignStruct* function);
bool_t xdr_TQDDEStruct(XDR* xdrs, TQDDEStruct* dde);
bool_t xdr_TQAssignSQLStruct(XDR* xdrs, TQAssignSQLStruct* sql);
bool_t xdr_TQFieldAssignStruct(XDR* xdrs, TQFieldAssignStruct* fieldAssign);
bool_t xdr_TQFieldAssignList(XDR* xdrs, TQFieldAssignList* fieldAssigns);
bool_t xdr_TQPushFieldsStruct(XDR* xdrs, TQPushFieldsStruct* push);
bool_t xdr_TQPushFieldsList(XDR* xdrs, TQPushFieldsList* pushes);
bool_t xdr_TQSQLStruct(XDR* xdrs, TQSQLStruct* sql);

// --- Filter, escalation and active-link actions
bool_t xdr_TQMessageStruct(XDR* xdrs, TQMessageStruct* message);
bool_t xdr_TQFilterActionNotify(XDR* xdrs, TQFilterActionNotify* notify);
bool_t xdr_TQGotoActionStruct(XDR* xdrs, TQGotoActionStruct* gotoAction);
bool_t xdr_TQFilterActionStruct(XDR* xdrs, TQFilterActionStruct* action);
bool_t xdr_TQFilterActionList(XDR* xdrs, TQFilterActionList* actions);
bool_t xdr_TQMacroParmStruct(XDR* xdrs, TQMacroParmStruct* parm);
bool_t xdr_TQMacroParmList(XDR* xdrs, TQMacroParmList* parms);
bool_t xdr_TQActiveLinkMacroStruct(XDR* xdrs, TQActiveLinkMacroStruct* macro);
bool_t xdr_TQFieldCharacteristics(XDR* xdrs, TQFieldCharacteristics* characteristics);
bool_t xdr_TQMethodValueStruct(XDR* xdrs, TQMethodValueStruct* value);
bool_t xdr_TQMethodParmStruct(XDR* xdrs, TQMethodParmStruct* parm);
bool_t xdr_TQMethodParmList(XDR* xdrs, TQMethodParmList* parms);
bool_t xdr_TQMethodStruct(XDR* xdrs, TQMethodStruct* method);
bool_t xdr_TQMethodList(XDR* xdrs, TQMethodList* methods);
bool_t xdr_TQMethodCallStruct(XDR* xdrs, TQMethodCallStruct* call);
bool_t xdr_TQOpenDialogStruct(XDR* xdrs, TQOpenDialogStruct* dialog);
bool_t xdr_TQCommitChangesStruct(XDR* xdrs, TQCommitChangesStruct* commit);
bool_t xdr_TQCloseWindowStruct(XDR* xdrs, TQCloseWindowStruct* close);
bool_t xdr_TQCallGuideStruct(XDR* xdrs, TQCallGuideStruct* guide);
bool_t xdr_TQExitGuideStruct(XDR* xdrs, TQExitGuideStruct* exitGuide);
bool_t xdr_TQGotoGuideLabelStruct(XDR* xdrs, TQGotoGuideLabelStruct* label);
bool_t xdr_TQWaitStruct(XDR* xdrs, TQWaitStruct* wait);
bool_t xdr_TQActiveLinkActionStruct(XDR* xdrs, TQActiveLinkActionStruct* action);
bool_t xdr_TQActiveLinkActionList(XDR* xdrs, TQActiveLinkActionList* actions);
bool_t xdr_TQDayStruct(XDR* xdrs, TQDayStruct* day);
bool_t xdr_TQEscalationTmStruct(XDR* xdrs, TQEscalationTmStruct* time);

// --- Containers and references
bool_t xdr_TQContainerOwnerObj(XDR* xdrs, TQContainerOwnerObj* owner);
bool_t xdr_TQContainerOwnerObjList(XDR* xdrs, TQContainerOwnerObjList* owners);
bool_t xdr_TQContainerTypeList(XDR* xdrs, TQContainerTypeList* types);
bool_t xdr_TQReferenceTypeList(XDR* xdrs, TQReferenceTypeList* types);
bool_t xdr_TQExtReferenceStruct(XDR* xdrs, TQExtReferenceStruct* extRef);
bool_t xdr_TQReferenceStruct(XDR* xdrs, TQReferenceStruct* reference);
bool_t xdr_TQReferenceList(XDR* xdrs, TQReferenceList* references);
bool_t xdr_TQContainerInfo(XDR* xdrs, TQContainerInfo* info);
bool_t xdr_TQContainerInfoList(XDR* xdrs, TQContainerInfoList* infos);

// --- Full-text settings
bool_t xdr_TQFullTextInfoRequestList(XDR* xdrs, TQFullTextInfoRequestList* requests);
bool_t xdr_TQFullTextInfoStruct(XDR* xdrs, TQFullTextInfoStruct* info);
bool_t xdr_TQFullTextInfoList(XDR* xdrs, TQFullTextInfoList* infos);
