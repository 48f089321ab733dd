// The argument and result records of the version-6 procedures beyond the
// entry and session ones of procedure_records.h: statistics, multiple
// entries and lists with fields, definitions, export and import, attachment
// chunks, server settings, and the user and group procedures 90 to 93.
//
// Records of procedures 1 to 80 start with the call header; results end with
// the status list. Where several procedures share a shape they share one
// record (its name says the shape). Field order on the wire is declaration
// order; "text(M)" is a bounded converting text, "fixed(N)" a fixed
// converting text, "counted" a converting counted text (pointer and length;
// it passes unconverted while the session's no-conversion byte is set),
// "time" a signed timestamp, "mask", "option", "flag" unsigned ints unless
// marked "(u_char)".
//
// Shared pieces:
//   name        text(31): object names, new names and schema names in
//               arguments
//   owner       fixed(31) in arguments and results (TQAccessNameType)
//   common get  TQCommonAttributes: help text, time, owner, last changed
//               fixed(31), change diary (texts unbounded)
//   common set  TQCommonChanges: help text, owner, change diary
//
// Procedure fields after the header:
//
//   6 TQGetEntryStatistics  args TQGetEntryStatisticsArgs: schema, qualifier,
//                           target operand, statistic, group-by field ids
//                           result TQGetEntryStatisticsResult: results, status
//   7 TQGetSchema           args TQNameMaskArgs: name, wanted mask
//                           result TQGetSchemaResult: compound schema,
//                           permissions, sub-administrator groups, query-list
//                           fields, sort list, index list, common get, status
//   8 TQSetSchema           args TQSetSchemaArgs: name, changed mask, new name,
//                           compound schema, permissions, sub-administrator
//                           groups, query-list fields, sort, indexes, common set
//   9 TQCreateSchema        args TQCreateSchemaArgs: as 8 without mask and new name
//  10 TQDeleteSchema        args TQNameOptionArgs: name, delete option
//  11 TQGetListSchema       args TQGetListSchemaArgs: changed since, name,
//                           list type (meanings are the server's)
//                           result TQNameListResult: names, status
//  12 TQGetField            args TQFieldMaskArgs: schema, field id, wanted mask
//                           result TQGetFieldResult: field name fixed(31),
//                           mapping, data type, option, create mode, default
//                           value, permissions, limit, display instances,
//                           common get, status
//  13 TQSetField            args TQSetFieldArgs: schema, field id, field name,
//                           changed mask, option, create mode, default value,
//                           permissions, limit, display instances, common set
//  14 TQCreateField         args TQCreateFieldArgs: schema, field id,
//                           reserved-id flag (u_char), field name, mapping,
//                           data type, option, create mode, default value,
//                           permissions, limit, display instances, common set
//                           result TQIdResult: new field id, status
//  15 TQGetListField        args TQGetListFieldArgs: schema, field type mask,
//                           changed since     result TQIdListResult: ids, status
//  16 TQGetCharMenu         args TQNameMaskArgs
//                           result TQGetCharMenuResult: refresh code, menu,
//                           common get, status
//  17 TQSetCharMenu         args TQSetCharMenuArgs: name, changed mask, new
//                           name, refresh code, menu, common set
//  18 TQCreateCharMenu      args TQCreateCharMenuArgs: name, refresh code,
//                           menu, common set
//  19 TQDeleteCharMenu      args TQNameArgs: name
//  20 TQGetListCharMenu     args TQSinceArgs: changed since  result TQNameListResult
//  21 TQGetFilter           args TQNameMaskArgs
//                           result TQGetFilterResult: order, schema fixed(31),
//                           operations, enable, query, actions, else-actions,
//                           common get, status
//  22 TQSetFilter           args TQSetFilterArgs: name, changed mask, new name,
//                           order, schema, operations, enable, query, actions,
//                           else-actions, common set
//  23 TQCreateFilter        args TQCreateFilterArgs: as 22 without mask, new name
//  24 TQDeleteFilter        args TQNameArgs
//  25 TQGetListFilter       args TQSchemaSinceArgs: schema, changed since
//                           result TQNameListResult
//  26-31 a definition family no operation calls; its object is taken to have
//        only the common attributes:
//    26 get by name         args TQNameMaskArgs   result TQGetDefinitionResult:
//                           common get, status
//    27 set                 args TQSetDefinitionArgs: name, changed mask, new
//                           name, common set
//    28 create              args TQCreateDefinitionArgs: name, common set
//    29 delete by name      args TQNameArgs
//    30 list since a time   args TQSinceArgs      result TQNameListResult
//    31 second by-name call args TQNameArgs       result TQStatusResult
//  32 TQVerifyUser          args TQHeaderArgs (the header alone)
//                           result TQVerifyUserResult: admin, sub-administrator,
//                           customize flags (u_char each), status
//  33 TQGetListGroup        args TQGetListGroupArgs: user name fixed(31)
//                           result TQGetListGroupResult: groups, status
//  34 TQExport              args TQExportArgs: items, display tag text(31),
//                           response size, continuation (long), server handle
//                           result TQExportResult: continuation, server handle,
//                           chunk (counted), completion flag (u_char), status
//  35 TQImport              args TQImportArgs: items, chunk (counted),
//                           last-chunk flag (u_char), response size,
//                           continuation, server handle
//                           result TQImportResult: continuation, server
//                           handle, status
//  38 TQGetActiveLink       args TQNameMaskArgs
//                           result TQGetActiveLinkResult: order, schema
//                           fixed(31), group ids, execute mask, control field,
//                           focus field, enable, query, actions, else-actions,
//                           common get, status
//  39 TQSetActiveLink       args TQSetActiveLinkArgs: name, changed mask, new
//                           name, order, schema, group ids, execute mask,
//                           control field, focus field, enable, query,
//                           actions, else-actions, common set
//  40 TQCreateActiveLink    args TQCreateActiveLinkArgs: as 39 without mask,
//                           new name
//  41 TQDeleteActiveLink    args TQNameArgs
//  42 TQGetListActiveLink   args TQSchemaSinceArgs     result TQNameListResult
//  43 TQDeleteField         args TQDeleteFieldArgs: schema, field id, option
//  44 TQSetServerInfo       args TQSetServerInfoArgs: server info list
//  45 menu file text        args TQMenuFileArgs: file name (unbounded)
//                           result TQMenuFileResult: the file's text
//                           (unbounded), status
//  46 TQGetListUser         args TQGetListUserArgs: list type
//                           result TQGetListUserResult: users, status
//  48 TQGetEscalation       args TQNameMaskArgs
//                           result TQGetEscalationResult: escalation time,
//                           schema fixed(31), enable, query, actions,
//                           else-actions, common get, status
//  49 TQSetEscalation       args TQSetEscalationArgs: name, changed mask, new
//                           name, escalation time, schema, enable, query,
//                           actions, else-actions, common set
//  50 TQCreateEscalation    args TQCreateEscalationArgs: as 49 without mask,
//                           new name
//  51 TQDeleteEscalation    args TQNameArgs
//  52 TQGetListEscalation   args TQSchemaSinceArgs     result TQNameListResult
//  53 TQSetFullTextInfo     args TQSetFullTextInfoArgs: settings
//  54 TQGetFullTextInfo     args TQGetFullTextInfoArgs: codes
//                           result TQGetFullTextInfoResult: settings, status
//  55 menu query            args TQMenuQueryArgs: the query record (schema,
//                           server, qualifier, label and value field ids,
//                           sort flag)   result TQMenuQueryResult: items, status
//  56 TQDeleteMultipleFields args TQDeleteMultipleFieldsArgs: schema, field
//                           ids, option
//  57 TQGetServerStatistics args TQGetServerInfoArgs: codes
//                           result TQGetServerInfoResult (procedure_records.h)
//  58 not called            args TQHeaderArgs          result TQStatusResult
//  59 TQGetListSQL          args TQGetListSQLArgs: command (unbounded),
//                           maximum to retrieve, count-wanted flag
//                           result TQGetListSQLResult: rows, matches, status
//  60 name list of a schema args TQNameArgs: schema    result TQNameListResult
//  61 TQExecuteProcess      args TQExecuteProcessArgs: command (unbounded),
//                           wait flag
//                           result TQExecuteProcessResult: return status
//                           (long), output (counted), status
//  62 TQGetVUI              args TQViewMaskArgs: schema, view id, wanted mask
//                           result TQGetVUIResult: view name fixed(31),
//                           properties, common get, status
//  63 TQSetVUI              args TQSetVUIArgs: schema, view id, changed mask,
//                           view name, properties, common set
//  64 TQCreateVUI           args TQCreateVUIArgs: schema, view id, view name,
//                           properties, common set     result TQIdResult
//  65 TQDeleteVUI           args TQViewArgs: schema, view id
//  66 TQGetListVUI          args TQSchemaSinceArgs     result TQIdListResult
//  67 TQGetMultipleEntries  args TQGetMultipleEntriesArgs: schema, entry id
//                           lists, field ids, values-wanted flag
//                           result TQGetMultipleEntriesResult: exists flags,
//                           value lists, values in this answer (long), values
//                           per entry (long), status
//  68 TQGetSupportFile      args TQGetSupportFileArgs: file type, name, id,
//                           file id, wanted flag
//                           result TQGetSupportFileResult: time, contents
//                           (counted), status
//  69, 70 TQSetSupportFile  args TQSetSupportFileArgs: file type, name, id,
//                           file id, contents (counted)
//  71 TQDeleteSupportFile   args TQSupportFileArgs: file type, name, id, file id
//  72 TQGetListSupportFile  args TQGetListSupportFileArgs: file type, name,
//                           id, changed since          result TQIdListResult
//  73 TQGetListEntryWithFields args TQGetListEntryArgs (procedure_records.h)
//                           result TQGetListEntryWithFieldsResult: rows,
//                           matches, an unused long, values per entry (long),
//                           status
//  74 TQGetContainer        args TQGetContainerArgs: name, wanted mask,
//                           reference types
//                           result TQGetContainerResult: permissions,
//                           sub-administrator groups, owner object, label
//                           (counted), description (counted), type,
//                           references, common get, status
//  75 TQSetContainer        args TQSetContainerArgs: name, changed mask, new
//                           name, permissions, sub-administrator groups,
//                           owner object, label, description, type,
//                           references, remove flag (u_char), common set
//  76 TQCreateContainer     args TQCreateContainerArgs: as 75 without mask,
//                           new name
//  77 TQDeleteContainer     args TQNameArgs
//  78 TQGetListContainer    args TQGetListContainerArgs: changed since,
//                           container types, attribute flag, owner object
//                           result TQGetListContainerResult: containers, status
//  80 TQGetEntryBLOB        args TQGetEntryBLOBArgs: schema, entry id list,
//                           field id, largest reply size, continuation (long)
//                           result TQGetEntryBLOBResult: continuation, chunk
//                           (counted), completion flag (u_char), status
//
// All set, create and delete procedures (8-10, 13, 17-19, 22-24, 27-29, 31,
// 39-41, 43, 44, 49-51, 53, 56, 58, 63, 65, 69-71, 75-77) answer with
// TQStatusResult (procedure_records.h).
//
// Chunked transfers (34, 35, 80) carry their continuation value, server
// handle and completion flags as fields of their own, so the records say
// everything the chunk loops read; the header's reserved words are the
// frame's.
//
// Procedures 90 to 93 have no call header and answer with a bare status
// list. Their arguments begin with TQAccountPrefix: the host name text(256)
// (the configured client host name, else the platform's), then the caller's
// user name and password text(31) that authorise the change:
//  90 TQCreateUser          TQCreateUserArgs: prefix, user name, password
//                           text(31), e-mail address (unbounded), group ids
//  91 TQDeleteUser          TQDeleteUserArgs: prefix, user name
//  92 TQCreateGroup         TQCreateGroupArgs: prefix, group name, group id,
//                           group type
//  93 TQDeleteGroup         TQDeleteGroupArgs: prefix, group name
#pragma once

#include <cstdint>

#include "rpc/procedure_records.h"
#include "tqlink.h"

inline constexpr uint32_t kTQWireHostName = 256;

// ----------------------------------------------------------- shared pieces

struct TQCommonAttributes {
  char* helpText;
  TQTimestamp changed;
  TQAccessNameType owner;
  TQAccessNameType lastChanged;
  char* changeDiary;
};

struct TQCommonChanges {
  char* helpText;
  TQAccessNameType owner;
  char* changeDiary;
};

struct TQHeaderArgs {
  TQCallHeader header;
};

struct TQNameArgs {
  TQCallHeader header;
  char* name;
};

struct TQNameMaskArgs {
  TQCallHeader header;
  char* name;
  uint32_t mask;
};

struct TQNameOptionArgs {
  TQCallHeader header;
  char* name;
  uint32_t option;
};

struct TQSinceArgs {
  TQCallHeader header;
  TQTimestamp changedSince;
};

struct TQSchemaSinceArgs {
  TQCallHeader header;
  char* schema;
  TQTimestamp changedSince;
};

struct TQNameListResult {
  TQCallHeader header;
  TQNameList names;
  TQStatusList status;
};

struct TQIdListResult {
  TQCallHeader header;
  TQInternalIdList ids;
  TQStatusList status;
};

struct TQIdResult {
  TQCallHeader header;
  uint32_t id;
  TQStatusList status;
};

// ------------------------------------------------------ entries (6, 67, 73)

struct TQGetEntryStatisticsArgs {
  TQCallHeader header;
  char* schema;
  TQQualifierStruct qualifier;
  TQFieldValueOrArithStruct target;
  uint32_t statistic;
  TQInternalIdList groupBy;
};

struct TQGetEntryStatisticsResult {
  TQCallHeader header;
  TQStatisticsResultList results;
  TQStatusList status;
};

struct TQGetMultipleEntriesArgs {
  TQCallHeader header;
  char* schema;
  TQEntryIdListList entryIds;
  TQInternalIdList fieldIds;
  uint32_t valuesWanted;
};

struct TQGetMultipleEntriesResult {
  TQCallHeader header;
  TQBooleanList exists;
  TQFieldValueListList values;
  int32_t valuesInAnswer;
  int32_t valuesPerEntry;
  TQStatusList status;
};

struct TQGetListEntryWithFieldsResult {
  TQCallHeader header;
  TQEntryListFieldValueList entries;
  uint32_t numMatches;
  int32_t unused;  // sent by the server, not read by the client
  int32_t valuesPerEntry;
  TQStatusList status;
};

// ------------------------------------------------ schemas and fields (7-15)

struct TQGetSchemaResult {
  TQCallHeader header;
  TQCompoundSchema schema;
  TQPermissionList groups;
  TQInternalIdList adminGroups;
  TQEntryListFieldList queryListFields;
  TQSortList sort;
  TQIndexList indexes;
  TQCommonAttributes common;
  TQStatusList status;
};

struct TQSetSchemaArgs {
  TQCallHeader header;
  char* name;
  uint32_t changedMask;
  char* newName;
  TQCompoundSchema schema;
  TQPermissionList groups;
  TQInternalIdList adminGroups;
  TQEntryListFieldList queryListFields;
  TQSortList sort;
  TQIndexList indexes;
  TQCommonChanges common;
};

struct TQCreateSchemaArgs {
  TQCallHeader header;
  char* name;
  TQCompoundSchema schema;
  TQPermissionList groups;
  TQInternalIdList adminGroups;
  TQEntryListFieldList queryListFields;
  TQSortList sort;
  TQIndexList indexes;
  TQCommonChanges common;
};

struct TQGetListSchemaArgs {
  TQCallHeader header;
  TQTimestamp changedSince;
  char* name;
  uint32_t listType;
};

struct TQFieldMaskArgs {
  TQCallHeader header;
  char* schema;
  uint32_t fieldId;
  uint32_t mask;
};

struct TQGetFieldResult {
  TQCallHeader header;
  TQNameType fieldName;
  TQFieldMappingStruct mapping;
  uint32_t dataType;
  uint32_t option;
  uint32_t createMode;
  TQValueStruct defaultValue;
  TQPermissionList permissions;
  TQFieldLimitStruct limit;
  TQDisplayInstanceList displays;
  TQCommonAttributes common;
  TQStatusList status;
};

struct TQSetFieldArgs {
  TQCallHeader header;
  char* schema;
  uint32_t fieldId;
  char* fieldName;
  uint32_t changedMask;
  uint32_t option;
  uint32_t createMode;
  TQValueStruct defaultValue;
  TQPermissionList permissions;
  TQFieldLimitStruct limit;
  TQDisplayInstanceList displays;
  TQCommonChanges common;
};

struct TQCreateFieldArgs {
  TQCallHeader header;
  char* schema;
  uint32_t fieldId;
  TQBoolean reservedId;
  char* fieldName;
  TQFieldMappingStruct mapping;
  uint32_t dataType;
  uint32_t option;
  uint32_t createMode;
  TQValueStruct defaultValue;
  TQPermissionList permissions;
  TQFieldLimitStruct limit;
  TQDisplayInstanceList displays;
  TQCommonChanges common;
};

struct TQDeleteFieldArgs {
  TQCallHeader header;
  char* schema;
  uint32_t fieldId;
  uint32_t option;
};

struct TQGetListFieldArgs {
  TQCallHeader header;
  char* schema;
  uint32_t typeMask;
  TQTimestamp changedSince;
};

struct TQDeleteMultipleFieldsArgs {
  TQCallHeader header;
  char* schema;
  TQInternalIdList fieldIds;
  uint32_t option;
};

// -------------------------------------------------- character menus (16-20)

struct TQGetCharMenuResult {
  TQCallHeader header;
  uint32_t refreshCode;
  TQCharMenuStruct menu;
  TQCommonAttributes common;
  TQStatusList status;
};

struct TQSetCharMenuArgs {
  TQCallHeader header;
  char* name;
  uint32_t changedMask;
  char* newName;
  uint32_t refreshCode;
  TQCharMenuStruct menu;
  TQCommonChanges common;
};

struct TQCreateCharMenuArgs {
  TQCallHeader header;
  char* name;
  uint32_t refreshCode;
  TQCharMenuStruct menu;
  TQCommonChanges common;
};

struct TQMenuFileArgs {
  TQCallHeader header;
  char* filename;
};

struct TQMenuFileResult {
  TQCallHeader header;
  char* text;
  TQStatusList status;
};

struct TQMenuQueryArgs {
  TQCallHeader header;
  TQCharMenuQueryStruct query;
};

struct TQMenuQueryResult {
  TQCallHeader header;
  TQCharMenuList items;
  TQStatusList status;
};

// ------------------------------------------------------------ filters (21-25)

struct TQGetFilterResult {
  TQCallHeader header;
  uint32_t order;
  TQNameType schema;
  uint32_t operations;
  uint32_t enable;
  TQQualifierStruct query;
  TQFilterActionList actions;
  TQFilterActionList elseActions;
  TQCommonAttributes common;
  TQStatusList status;
};

struct TQSetFilterArgs {
  TQCallHeader header;
  char* name;
  uint32_t changedMask;
  char* newName;
  uint32_t order;
  char* schema;
  uint32_t operations;
  uint32_t enable;
  TQQualifierStruct query;
  TQFilterActionList actions;
  TQFilterActionList elseActions;
  TQCommonChanges common;
};

struct TQCreateFilterArgs {
  TQCallHeader header;
  char* name;
  uint32_t order;
  char* schema;
  uint32_t operations;
  uint32_t enable;
  TQQualifierStruct query;
  TQFilterActionList actions;
  TQFilterActionList elseActions;
  TQCommonChanges common;
};

// ------------------------------------------------ the uncalled family (26-31)

struct TQGetDefinitionResult {
  TQCallHeader header;
  TQCommonAttributes common;
  TQStatusList status;
};

struct TQSetDefinitionArgs {
  TQCallHeader header;
  char* name;
  uint32_t changedMask;
  char* newName;
  TQCommonChanges common;
};

struct TQCreateDefinitionArgs {
  TQCallHeader header;
  char* name;
  TQCommonChanges common;
};

// ---------------------------------------------- users and groups (32, 33, 46)

struct TQVerifyUserResult {
  TQCallHeader header;
  TQBoolean admin;
  TQBoolean subAdmin;
  TQBoolean customize;
  TQStatusList status;
};

struct TQGetListGroupArgs {
  TQCallHeader header;
  TQAccessNameType user;
};

struct TQGetListGroupResult {
  TQCallHeader header;
  TQGroupInfoList groups;
  TQStatusList status;
};

struct TQGetListUserArgs {
  TQCallHeader header;
  uint32_t listType;
};

struct TQGetListUserResult {
  TQCallHeader header;
  TQUserInfoList users;
  TQStatusList status;
};

// ---------------------------------------- export, import, attachments (34, 35, 80)

struct TQExportArgs {
  TQCallHeader header;
  TQStructItemList items;
  char* displayTag;
  uint32_t responseSize;
  int32_t continuation;
  uint32_t serverHandle;
};

struct TQExportResult {
  TQCallHeader header;
  int32_t continuation;
  uint32_t serverHandle;
  char* chunk;
  uint32_t chunkLength;
  TQBoolean complete;
  TQStatusList status;
};

struct TQImportArgs {
  TQCallHeader header;
  TQStructItemList items;
  char* chunk;
  uint32_t chunkLength;
  TQBoolean lastChunk;
  uint32_t responseSize;
  int32_t continuation;
  uint32_t serverHandle;
};

struct TQImportResult {
  TQCallHeader header;
  int32_t continuation;
  uint32_t serverHandle;
  TQStatusList status;
};

struct TQGetEntryBLOBArgs {
  TQCallHeader header;
  char* schema;
  TQEntryIdList entryId;
  uint32_t fieldId;
  uint32_t responseSize;
  int32_t continuation;
};

struct TQGetEntryBLOBResult {
  TQCallHeader header;
  int32_t continuation;
  char* chunk;
  uint32_t chunkLength;
  TQBoolean complete;
  TQStatusList status;
};

// ------------------------------------------------------ active links (38-42)

struct TQGetActiveLinkResult {
  TQCallHeader header;
  uint32_t order;
  TQNameType schema;
  TQInternalIdList groups;
  uint32_t executeMask;
  uint32_t controlField;
  uint32_t focusField;
  uint32_t enable;
  TQQualifierStruct query;
  TQActiveLinkActionList actions;
  TQActiveLinkActionList elseActions;
  TQCommonAttributes common;
  TQStatusList status;
};

struct TQSetActiveLinkArgs {
  TQCallHeader header;
  char* name;
  uint32_t changedMask;
  char* newName;
  uint32_t order;
  char* schema;
  TQInternalIdList groups;
  uint32_t executeMask;
  uint32_t controlField;
  uint32_t focusField;
  uint32_t enable;
  TQQualifierStruct query;
  TQActiveLinkActionList actions;
  TQActiveLinkActionList elseActions;
  TQCommonChanges common;
};

struct TQCreateActiveLinkArgs {
  TQCallHeader header;
  char* name;
  uint32_t order;
  char* schema;
  TQInternalIdList groups;
  uint32_t executeMask;
  uint32_t controlField;
  uint32_t focusField;
  uint32_t enable;
  TQQualifierStruct query;
  TQActiveLinkActionList actions;
  TQActiveLinkActionList elseActions;
  TQCommonChanges common;
};

// ------------------------------------------------------- escalations (48-52)

struct TQGetEscalationResult {
  TQCallHeader header;
  TQEscalationTmStruct time;
  TQNameType schema;
  uint32_t enable;
  TQQualifierStruct query;
  TQFilterActionList actions;
  TQFilterActionList elseActions;
  TQCommonAttributes common;
  TQStatusList status;
};

struct TQSetEscalationArgs {
  TQCallHeader header;
  char* name;
  uint32_t changedMask;
  char* newName;
  TQEscalationTmStruct time;
  char* schema;
  uint32_t enable;
  TQQualifierStruct query;
  TQFilterActionList actions;
  TQFilterActionList elseActions;
  TQCommonChanges common;
};

struct TQCreateEscalationArgs {
  TQCallHeader header;
  char* name;
  TQEscalationTmStruct time;
  char* schema;
  uint32_t enable;
  TQQualifierStruct query;
  TQFilterActionList actions;
  TQFilterActionList elseActions;
  TQCommonChanges common;
};

// ------------------------------------------- server and full-text settings

struct TQSetServerInfoArgs {
  TQCallHeader header;
  TQServerInfoList info;
};

struct TQSetFullTextInfoArgs {
  TQCallHeader header;
  TQFullTextInfoList info;
};

struct TQGetFullTextInfoArgs {
  TQCallHeader header;
  TQFullTextInfoRequestList requests;
};

struct TQGetFullTextInfoResult {
  TQCallHeader header;
  TQFullTextInfoList info;
  TQStatusList status;
};

struct TQGetListSQLArgs {
  TQCallHeader header;
  char* sqlCommand;
  uint32_t maxRetrieve;
  uint32_t countWanted;
};

struct TQGetListSQLResult {
  TQCallHeader header;
  TQValueListList rows;
  uint32_t numMatches;
  TQStatusList status;
};

struct TQExecuteProcessArgs {
  TQCallHeader header;
  char* command;
  uint32_t wait;
};

struct TQExecuteProcessResult {
  TQCallHeader header;
  int32_t returnStatus;
  char* output;
  uint32_t outputLength;
  TQStatusList status;
};

// ---------------------------------------------------------- views (62-66)

struct TQViewArgs {
  TQCallHeader header;
  char* schema;
  uint32_t viewId;
};

struct TQViewMaskArgs {
  TQCallHeader header;
  char* schema;
  uint32_t viewId;
  uint32_t mask;
};

struct TQGetVUIResult {
  TQCallHeader header;
  TQNameType viewName;
  TQPropList props;
  TQCommonAttributes common;
  TQStatusList status;
};

struct TQSetVUIArgs {
  TQCallHeader header;
  char* schema;
  uint32_t viewId;
  uint32_t changedMask;
  char* viewName;
  TQPropList props;
  TQCommonChanges common;
};

struct TQCreateVUIArgs {
  TQCallHeader header;
  char* schema;
  uint32_t viewId;
  char* viewName;
  TQPropList props;
  TQCommonChanges common;
};

// ---------------------------------------------------- support files (68-72)

struct TQSupportFileArgs {
  TQCallHeader header;
  uint32_t fileType;
  char* name;
  uint32_t id;
  uint32_t fileId;
};

struct TQGetSupportFileArgs {
  TQCallHeader header;
  uint32_t fileType;
  char* name;
  uint32_t id;
  uint32_t fileId;
  uint32_t wanted;
};

struct TQGetSupportFileResult {
  TQCallHeader header;
  TQTimestamp changed;
  char* contents;
  uint32_t contentsLength;
  TQStatusList status;
};

struct TQSetSupportFileArgs {
  TQCallHeader header;
  uint32_t fileType;
  char* name;
  uint32_t id;
  uint32_t fileId;
  char* contents;
  uint32_t contentsLength;
};

struct TQGetListSupportFileArgs {
  TQCallHeader header;
  uint32_t fileType;
  char* name;
  uint32_t id;
  TQTimestamp changedSince;
};

// ------------------------------------------------------- containers (74-78)

struct TQGetContainerArgs {
  TQCallHeader header;
  char* name;
  uint32_t mask;
  TQReferenceTypeList refTypes;
};

struct TQGetContainerResult {
  TQCallHeader header;
  TQPermissionList groups;
  TQInternalIdList adminGroups;
  TQContainerOwnerObj ownerObj;
  char* label;
  uint32_t labelLength;
  char* description;
  uint32_t descriptionLength;
  uint32_t type;
  TQReferenceList references;
  TQCommonAttributes common;
  TQStatusList status;
};

struct TQSetContainerArgs {
  TQCallHeader header;
  char* name;
  uint32_t changedMask;
  char* newName;
  TQPermissionList groups;
  TQInternalIdList adminGroups;
  TQContainerOwnerObj ownerObj;
  char* label;
  uint32_t labelLength;
  char* description;
  uint32_t descriptionLength;
  uint32_t type;
  TQReferenceList references;
  TQBoolean removeFlag;
  TQCommonChanges common;
};

struct TQCreateContainerArgs {
  TQCallHeader header;
  char* name;
  TQPermissionList groups;
  TQInternalIdList adminGroups;
  TQContainerOwnerObj ownerObj;
  char* label;
  uint32_t labelLength;
  char* description;
  uint32_t descriptionLength;
  uint32_t type;
  TQReferenceList references;
  TQBoolean removeFlag;
  TQCommonChanges common;
};

struct TQGetListContainerArgs {
  TQCallHeader header;
  TQTimestamp changedSince;
  TQContainerTypeList types;
  uint32_t attributes;
  TQContainerOwnerObj owner;
};

struct TQGetListContainerResult {
  TQCallHeader header;
  TQContainerInfoList containers;
  TQStatusList status;
};

// ------------------------------------------- users and groups (90 to 93)

struct TQAccountPrefix {
  char* hostName;
  char* user;
  char* password;
};

struct TQCreateUserArgs {
  TQAccountPrefix prefix;
  char* userName;
  char* password;
  char* emailAddress;
  TQInternalIdList groupIds;
};

struct TQDeleteUserArgs {
  TQAccountPrefix prefix;
  char* userName;
};

struct TQCreateGroupArgs {
  TQAccountPrefix prefix;
  char* groupName;
  uint32_t groupId;
  uint32_t groupType;
};

struct TQDeleteGroupArgs {
  TQAccountPrefix prefix;
  char* groupName;
};
