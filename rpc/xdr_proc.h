// XDR routines of the version-6 argument and result records of
// procedure_records_defs.h, one named routine per record. The trailing "6"
// is the protocol version of the form.
#pragma once

#include <rpc/rpc.h>

#include "rpc/procedure_records_defs.h"

// Shared pieces and shapes.
bool_t xdr_TQCommonAttributes(XDR* xdrs, TQCommonAttributes* common);
bool_t xdr_TQCommonChanges(XDR* xdrs, TQCommonChanges* common);
bool_t xdr_TQHeaderArgs6(XDR* xdrs, TQHeaderArgs* args);
bool_t xdr_TQNameArgs6(XDR* xdrs, TQNameArgs* args);
bool_t xdr_TQNameMaskArgs6(XDR* xdrs, TQNameMaskArgs* args);
bool_t xdr_TQNameOptionArgs6(XDR* xdrs, TQNameOptionArgs* args);
bool_t xdr_TQSinceArgs6(XDR* xdrs, TQSinceArgs* args);
bool_t xdr_TQSchemaSinceArgs6(XDR* xdrs, TQSchemaSinceArgs* args);
bool_t xdr_TQNameListResult6(XDR* xdrs, TQNameListResult* result);
bool_t xdr_TQIdListResult6(XDR* xdrs, TQIdListResult* result);
bool_t xdr_TQIdResult6(XDR* xdrs, TQIdResult* result);

// Entries: 6, 67, 73; export, import and attachment chunks: 34, 35, 80.
bool_t xdr_TQGetEntryStatisticsArgs6(XDR* xdrs, TQGetEntryStatisticsArgs* args);
bool_t xdr_TQGetEntryStatisticsResult6(XDR* xdrs, TQGetEntryStatisticsResult* result);
bool_t xdr_TQGetMultipleEntriesArgs6(XDR* xdrs, TQGetMultipleEntriesArgs* args);
bool_t xdr_TQGetMultipleEntriesResult6(XDR* xdrs, TQGetMultipleEntriesResult* result);
bool_t xdr_TQGetListEntryWithFieldsResult6(XDR* xdrs, TQGetListEntryWithFieldsResult* result);
bool_t xdr_TQExportArgs6(XDR* xdrs, TQExportArgs* args);
bool_t xdr_TQExportResult6(XDR* xdrs, TQExportResult* result);
bool_t xdr_TQImportArgs6(XDR* xdrs, TQImportArgs* args);
bool_t xdr_TQImportResult6(XDR* xdrs, TQImportResult* result);
bool_t xdr_TQGetEntryBLOBArgs6(XDR* xdrs, TQGetEntryBLOBArgs* args);
bool_t xdr_TQGetEntryBLOBResult6(XDR* xdrs, TQGetEntryBLOBResult* result);

// Schemas and fields: 7-15, 43, 56; the uncalled family 26-31.
bool_t xdr_TQGetSchemaResult6(XDR* xdrs, TQGetSchemaResult* result);
bool_t xdr_TQSetSchemaArgs6(XDR* xdrs, TQSetSchemaArgs* args);
bool_t xdr_TQCreateSchemaArgs6(XDR* xdrs, TQCreateSchemaArgs* args);
bool_t xdr_TQGetListSchemaArgs6(XDR* xdrs, TQGetListSchemaArgs* args);
bool_t xdr_TQFieldMaskArgs6(XDR* xdrs, TQFieldMaskArgs* args);
bool_t xdr_TQGetFieldResult6(XDR* xdrs, TQGetFieldResult* result);
bool_t xdr_TQSetFieldArgs6(XDR* xdrs, TQSetFieldArgs* args);
bool_t xdr_TQCreateFieldArgs6(XDR* xdrs, TQCreateFieldArgs* args);
bool_t xdr_TQDeleteFieldArgs6(XDR* xdrs, TQDeleteFieldArgs* args);
bool_t xdr_TQGetListFieldArgs6(XDR* xdrs, TQGetListFieldArgs* args);
bool_t xdr_TQDeleteMultipleFieldsArgs6(XDR* xdrs, TQDeleteMultipleFieldsArgs* args);
bool_t xdr_TQGetDefinitionResult6(XDR* xdrs, TQGetDefinitionResult* result);
bool_t xdr_TQSetDefinitionArgs6(XDR* xdrs, TQSetDefinitionArgs* args);
bool_t xdr_TQCreateDefinitionArgs6(XDR* xdrs, TQCreateDefinitionArgs* args);

// Menus, filters, active links, escalations: 16-25, 38-42, 45, 48-52, 55.
bool_t xdr_TQGetCharMenuResult6(XDR* xdrs, TQGetCharMenuResult* result);
bool_t xdr_TQSetCharMenuArgs6(XDR* xdrs, TQSetCharMenuArgs* args);
bool_t xdr_TQCreateCharMenuArgs6(XDR* xdrs, TQCreateCharMenuArgs* args);
bool_t xdr_TQMenuFileArgs6(XDR* xdrs, TQMenuFileArgs* args);
bool_t xdr_TQMenuFileResult6(XDR* xdrs, TQMenuFileResult* result);
bool_t xdr_TQMenuQueryArgs6(XDR* xdrs, TQMenuQueryArgs* args);
bool_t xdr_TQMenuQueryResult6(XDR* xdrs, TQMenuQueryResult* result);
bool_t xdr_TQGetFilterResult6(XDR* xdrs, TQGetFilterResult* result);
bool_t xdr_TQSetFilterArgs6(XDR* xdrs, TQSetFilterArgs* args);
bool_t xdr_TQCreateFilterArgs6(XDR* xdrs, TQCreateFilterArgs* args);
bool_t xdr_TQGetActiveLinkResult6(XDR* xdrs, TQGetActiveLinkResult* result);
bool_t xdr_TQSetActiveLinkArgs6(XDR* xdrs, TQSetActiveLinkArgs* args);
bool_t xdr_TQCreateActiveLinkArgs6(XDR* xdrs, TQCreateActiveLinkArgs* args);
bool_t xdr_TQGetEscalationResult6(XDR* xdrs, TQGetEscalationResult* result);
bool_t xdr_TQSetEscalationArgs6(XDR* xdrs, TQSetEscalationArgs* args);
bool_t xdr_TQCreateEscalationArgs6(XDR* xdrs, TQCreateEscalationArgs* args);

// Users, groups, server settings, SQL and processes: 32, 33, 44, 46, 53,
// 54, 59, 61; 90-93 (no header; their result is xdr_TQStatusList).
bool_t xdr_TQVerifyUserResult6(XDR* xdrs, TQVerifyUserResult* result);
bool_t xdr_TQGetListGroupArgs6(XDR* xdrs, TQGetListGroupArgs* args);
bool_t xdr_TQGetListGroupResult6(XDR* xdrs, TQGetListGroupResult* result);
bool_t xdr_TQGetListUserArgs6(XDR* xdrs, TQGetListUserArgs* args);
bool_t xdr_TQGetListUserResult6(XDR* xdrs, TQGetListUserResult* result);
bool_t xdr_TQSetServerInfoArgs6(XDR* xdrs, TQSetServerInfoArgs* args);
bool_t xdr_TQSetFullTextInfoArgs6(XDR* xdrs, TQSetFullTextInfoArgs* args);
bool_t xdr_TQGetFullTextInfoArgs6(XDR* xdrs, TQGetFullTextInfoArgs* args);
bool_t xdr_TQGetFullTextInfoResult6(XDR* xdrs, TQGetFullTextInfoResult* result);
bool_t xdr_TQGetListSQLArgs6(XDR* xdrs, TQGetListSQLArgs* args);
bool_t xdr_TQGetListSQLResult6(XDR* xdrs, TQGetListSQLResult* result);
bool_t xdr_TQExecuteProcessArgs6(XDR* xdrs, TQExecuteProcessArgs* args);
bool_t xdr_TQExecuteProcessResult6(XDR* xdrs, TQExecuteProcessResult* result);
bool_t xdr_TQAccountPrefix(XDR* xdrs, TQAccountPrefix* prefix);
bool_t xdr_TQCreateUserArgs6(XDR* xdrs, TQCreateUserArgs* args);
bool_t xdr_TQDeleteUserArgs6(XDR* xdrs, TQDeleteUserArgs* args);
bool_t xdr_TQCreateGroupArgs6(XDR* xdrs, TQCreateGroupArgs* args);
bool_t xdr_TQDeleteGroupArgs6(XDR* xdrs, TQDeleteGroupArgs* args);

// Views, support files, containers: 62-66, 68-72, 74-78.
bool_t xdr_TQViewArgs6(XDR* xdrs, TQViewArgs* args);
bool_t xdr_TQViewMaskArgs6(XDR* xdrs, TQViewMaskArgs* args);
bool_t xdr_TQGetVUIResult6(XDR* xdrs, TQGetVUIResult* result);
bool_t xdr_TQSetVUIArgs6(XDR* xdrs, TQSetVUIArgs* args);
bool_t xdr_TQCreateVUIArgs6(XDR* xdrs, TQCreateVUIArgs* args);
bool_t xdr_TQSupportFileArgs6(XDR* xdrs, TQSupportFileArgs* args);
bool_t xdr_TQGetSupportFileArgs6(XDR* xdrs, TQGetSupportFileArgs* args);
bool_t xdr_TQGetSupportFileResult6(XDR* xdrs, TQGetSupportFileResult* result);
bool_t xdr_TQSetSupportFileArgs6(XDR* xdrs, TQSetSupportFileArgs* args);
bool_t xdr_TQGetListSupportFileArgs6(XDR* xdrs, TQGetListSupportFileArgs* args);
bool_t xdr_TQGetContainerArgs6(XDR* xdrs, TQGetContainerArgs* args);
bool_t xdr_TQGetContainerResult6(XDR* xdrs, TQGetContainerResult* result);
bool_t xdr_TQSetContainerArgs6(XDR* xdrs, TQSetContainerArgs* args);
bool_t xdr_TQCreateContainerArgs6(XDR* xdrs, TQCreateContainerArgs* args);
bool_t xdr_TQGetListContainerArgs6(XDR* xdrs, TQGetListContainerArgs* args);
bool_t xdr_TQGetListContainerResult6(XDR* xdrs, TQGetListContainerResult* result);
