// XDR routines of the schema and field procedures 7 to 15, 43 and 56, and of
// the uncalled definition family 26 to 31 (see xdr_proc.h).
#include "rpc/xdr_base.h"
#include "rpc/xdr_defs.h"
#include "rpc/xdr_proc.h"
#include "rpc/xdr_proc_util.h"

using tqdefs::fixed;
using tqproc::header;
using tqproc::name;
using tqproc::status;

namespace {

// compound schema, permissions, sub-administrator groups, query-list fields,
// sort list, index list: the body that get, set and create share.
template <class R>
bool_t schemaBody(XDR* x, R* r) {
  return xdr_TQCompoundSchema(x, &r->schema) && xdr_TQPermissionList(x, &r->groups) &&
         xdr_TQInternalIdList(x, &r->adminGroups) &&
         xdr_TQEntryListFieldList(x, &r->queryListFields) && xdr_TQSortList(x, &r->sort) &&
         xdr_TQIndexList(x, &r->indexes);
}

// default value, permissions, limit, display instances.
template <class R>
bool_t fieldBody(XDR* x, R* r) {
  return xdr_TQValueStruct(x, &r->defaultValue) && xdr_TQPermissionList(x, &r->permissions) &&
         xdr_TQFieldLimitStruct(x, &r->limit) && xdr_TQDisplayInstanceList(x, &r->displays);
}

}  // namespace

// ---------------------------------------------------------------- schemas

bool_t xdr_TQGetSchemaResult6(XDR* xdrs, TQGetSchemaResult* result) {
  return header(xdrs, &result->header) && schemaBody(xdrs, result) &&
         xdr_TQCommonAttributes(xdrs, &result->common) && status(xdrs, &result->status);
}

bool_t xdr_TQSetSchemaArgs6(XDR* xdrs, TQSetSchemaArgs* args) {
  return header(xdrs, &args->header) && name(xdrs, &args->name) &&
         tqx::u32(xdrs, &args->changedMask) && name(xdrs, &args->newName) &&
         schemaBody(xdrs, args) && xdr_TQCommonChanges(xdrs, &args->common);
}

bool_t xdr_TQCreateSchemaArgs6(XDR* xdrs, TQCreateSchemaArgs* args) {
  return header(xdrs, &args->header) && name(xdrs, &args->name) && schemaBody(xdrs, args) &&
         xdr_TQCommonChanges(xdrs, &args->common);
}

bool_t xdr_TQGetListSchemaArgs6(XDR* xdrs, TQGetListSchemaArgs* args) {
  return header(xdrs, &args->header) && tqx::i32(xdrs, &args->changedSince) &&
         name(xdrs, &args->name) && tqx::u32(xdrs, &args->listType);
}

// ----------------------------------------------------------------- fields

bool_t xdr_TQFieldMaskArgs6(XDR* xdrs, TQFieldMaskArgs* args) {
  return header(xdrs, &args->header) && name(xdrs, &args->schema) &&
         tqx::u32(xdrs, &args->fieldId) && tqx::u32(xdrs, &args->mask);
}

bool_t xdr_TQGetFieldResult6(XDR* xdrs, TQGetFieldResult* result) {
  return header(xdrs, &result->header) && fixed(xdrs, result->fieldName) &&
         xdr_TQFieldMappingStruct(xdrs, &result->mapping) && tqx::u32(xdrs, &result->dataType) &&
         tqx::u32(xdrs, &result->option) && tqx::u32(xdrs, &result->createMode) &&
         fieldBody(xdrs, result) && xdr_TQCommonAttributes(xdrs, &result->common) &&
         status(xdrs, &result->status);
}

bool_t xdr_TQSetFieldArgs6(XDR* xdrs, TQSetFieldArgs* args) {
  return header(xdrs, &args->header) && name(xdrs, &args->schema) &&
         tqx::u32(xdrs, &args->fieldId) && name(xdrs, &args->fieldName) &&
         tqx::u32(xdrs, &args->changedMask) && tqx::u32(xdrs, &args->option) &&
         tqx::u32(xdrs, &args->createMode) && fieldBody(xdrs, args) &&
         xdr_TQCommonChanges(xdrs, &args->common);
}

bool_t xdr_TQCreateFieldArgs6(XDR* xdrs, TQCreateFieldArgs* args) {
  return header(xdrs, &args->header) && name(xdrs, &args->schema) &&
         tqx::u32(xdrs, &args->fieldId) && tqx::uchar(xdrs, &args->reservedId) &&
         name(xdrs, &args->fieldName) && xdr_TQFieldMappingStruct(xdrs, &args->mapping) &&
         tqx::u32(xdrs, &args->dataType) && tqx::u32(xdrs, &args->option) &&
         tqx::u32(xdrs, &args->createMode) && fieldBody(xdrs, args) &&
         xdr_TQCommonChanges(xdrs, &args->common);
}

bool_t xdr_TQDeleteFieldArgs6(XDR* xdrs, TQDeleteFieldArgs* args) {
  return header(xdrs, &args->header) && name(xdrs, &args->schema) &&
         tqx::u32(xdrs, &args->fieldId) && tqx::u32(xdrs, &args->option);
}

bool_t xdr_TQGetListFieldArgs6(XDR* xdrs, TQGetListFieldArgs* args) {
  return header(xdrs, &args->header) && name(xdrs, &args->schema) &&
         tqx::u32(xdrs, &args->typeMask) && tqx::i32(xdrs, &args->changedSince);
}

bool_t xdr_TQDeleteMultipleFieldsArgs6(XDR* xdrs, TQDeleteMultipleFieldsArgs* args) {
  return header(xdrs, &args->header) && name(xdrs, &args->schema) &&
         xdr_TQInternalIdList(xdrs, &args->fieldIds) && tqx::u32(xdrs, &args->option);
}

// ------------------------------------------------------ uncalled family

bool_t xdr_TQGetDefinitionResult6(XDR* xdrs, TQGetDefinitionResult* result) {
  return header(xdrs, &result->header) && xdr_TQCommonAttributes(xdrs, &result->common) &&
         status(xdrs, &result->status);
}

bool_t xdr_TQSetDefinitionArgs6(XDR* xdrs, TQSetDefinitionArgs* args) {
  return header(xdrs, &args->header) && name(xdrs, &args->name) &&
         tqx::u32(xdrs, &args->changedMask) && name(xdrs, &args->newName) &&
         xdr_TQCommonChanges(xdrs, &args->common);
}

bool_t xdr_TQCreateDefinitionArgs6(XDR* xdrs, TQCreateDefinitionArgs* args) {
  return header(xdrs, &args->header) && name(xdrs, &args->name) &&
         xdr_TQCommonChanges(xdrs, &args->common);
}
