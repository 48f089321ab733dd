// XDR routines of permissions, groups and users, compound schemas, field
// mappings, indexes and export items (see xdr_defs.h).
#include <utility>

#include "rpc/xdr_base.h"
#include "rpc/xdr_defs.h"
#include "rpc/xdr_defs_util.h"
#include "rpc/xdr_records.h"

using tqdefs::fixed;
using tqx::Arm;
using tqx::erased;

// ---------------------------------------------- permissions, groups, users

bool_t xdr_TQPermissionStruct(XDR* xdrs, TQPermissionStruct* permission) {
  return tqx::u32(xdrs, &permission->groupId) && tqx::u32(xdrs, &permission->permissions);
}

bool_t xdr_TQPermissionList(XDR* xdrs, TQPermissionList* permissions) {
  return tqx::list<TQPermissionStruct, xdr_TQPermissionStruct>(xdrs, &permissions->numItems,
                                                               &permissions->permissionList);
}

bool_t xdr_TQGroupInfoStruct(XDR* xdrs, TQGroupInfoStruct* group) {
  return tqx::u32(xdrs, &group->groupId) && tqx::u32(xdrs, &group->groupType) &&
         xdr_TQNameList(xdrs, &group->groupName);
}

bool_t xdr_TQGroupInfoList(XDR* xdrs, TQGroupInfoList* groups) {
  return tqx::list<TQGroupInfoStruct, xdr_TQGroupInfoStruct>(xdrs, &groups->numItems,
                                                             &groups->groupList);
}

bool_t xdr_TQUserLicenseStruct(XDR* xdrs, TQUserLicenseStruct* license) {
  return tqx::u32(xdrs, &license->licenseTag) && tqx::u32(xdrs, &license->licenseType) &&
         tqx::u32(xdrs, &license->currentLicenseType);
}

bool_t xdr_TQUserLicenseList(XDR* xdrs, TQUserLicenseList* licenses) {
  return tqx::list<TQUserLicenseStruct, xdr_TQUserLicenseStruct>(xdrs, &licenses->numItems,
                                                                 &licenses->licenseList);
}

// user name fixed(31), licences, connect time, last access (signed), default
// notify mechanism, e-mail address (unbounded text).
bool_t xdr_TQUserInfoStruct(XDR* xdrs, TQUserInfoStruct* user) {
  return fixed(xdrs, user->userName) && xdr_TQUserLicenseList(xdrs, &user->licenseInfo) &&
         tqx::i32(xdrs, &user->connectTime) && tqx::i32(xdrs, &user->lastAccess) &&
         tqx::u32(xdrs, &user->defaultNotifyMech) &&
         tqdefs::unboundedText(xdrs, &user->emailAddress);
}

bool_t xdr_TQUserInfoList(XDR* xdrs, TQUserInfoList* users) {
  return tqx::list<TQUserInfoStruct, xdr_TQUserInfoStruct>(xdrs, &users->numItems,
                                                           &users->userList);
}

// ------------------------------------------------------- compound schemas

bool_t xdr_TQJoinSchema(XDR* xdrs, TQJoinSchema* join) {
  return fixed(xdrs, join->memberA) && fixed(xdrs, join->memberB) &&
         xdr_TQQualifierStruct(xdrs, &join->joinQual) && tqx::u32(xdrs, &join->option);
}

namespace {

// The table name: 256 chars, each one 4-byte word (the runtime's char
// primitive: the byte sign-extended), unconverted; the inline fast path when
// the handle offers it. A decoded name is always terminated in the array.
bool_t tableName(XDR* x, char (&name)[kTQWireTableName]) {
  if (x->x_op == XDR_FREE) return TRUE;
  if (int32_t* buf = XDR_INLINE(x, kTQWireTableName * BYTES_PER_XDR_UNIT)) {
    for (char& c : name) {
      if (x->x_op == XDR_ENCODE) {
        IXDR_PUT_INT32(buf, static_cast<int32_t>(static_cast<signed char>(c)));
      } else {
        c = static_cast<char>(IXDR_GET_INT32(buf));
      }
    }
  } else {
    for (char& c : name) {
      if (!xdr_char(x, &c)) return FALSE;
    }
  }
  if (x->x_op == XDR_DECODE) name[kTQWireTableName - 1] = '\0';
  return TRUE;
}

static_assert(sizeof(TQViewSchema::tableName) == kTQWireTableName);

}  // namespace

bool_t xdr_TQViewSchema(XDR* xdrs, TQViewSchema* view) {
  return tableName(xdrs, view->tableName) && fixed(xdrs, view->keyField) &&
         tqdefs::unboundedText(xdrs, &view->viewQual);
}

bool_t xdr_TQCompoundSchema(XDR* xdrs, TQCompoundSchema* schema) {
  static constexpr Arm arms[] = {
      {TQ_SCHEMA_NONE, TQ_SCHEMA_REGULAR, nullptr},
      {TQ_SCHEMA_JOIN, TQ_SCHEMA_JOIN, erased<TQJoinSchema, xdr_TQJoinSchema>},
      {TQ_SCHEMA_VIEW, TQ_SCHEMA_VIEW, erased<TQViewSchema, xdr_TQViewSchema>},
      {TQ_SCHEMA_DIALOG, TQ_SCHEMA_DIALOG, nullptr},
  };
  return tqx::unionOf(xdrs, &schema->schemaType, &schema->u, arms);
}

// ---------------------------------------------------------- field mapping

bool_t xdr_TQJoinMappingStruct(XDR* xdrs, TQJoinMappingStruct* mapping) {
  return tqx::u32(xdrs, &mapping->schemaIndex) && tqx::u32(xdrs, &mapping->realId);
}

bool_t xdr_TQViewMappingStruct(XDR* xdrs, TQViewMappingStruct* mapping) {
  return fixed(xdrs, mapping->fieldName);
}

bool_t xdr_TQFieldMappingStruct(XDR* xdrs, TQFieldMappingStruct* mapping) {
  static constexpr Arm arms[] = {
      {TQ_FIELD_MAPPING_NONE, TQ_FIELD_MAPPING_REGULAR, nullptr},
      {TQ_FIELD_MAPPING_JOIN, TQ_FIELD_MAPPING_JOIN,
       erased<TQJoinMappingStruct, xdr_TQJoinMappingStruct>},
      {TQ_FIELD_MAPPING_VIEW, TQ_FIELD_MAPPING_VIEW,
       erased<TQViewMappingStruct, xdr_TQViewMappingStruct>},
  };
  return tqx::unionOf(xdrs, &mapping->fieldType, &mapping->u, arms);
}

// ---------------------------------------------------------------- indexes

namespace {

// The number of fields, the 16 field ids and the unique flag: one run of 18
// words.
template <size_t... I>
bool_t indexWords(XDR* x, TQIndexStruct* index, std::index_sequence<I...>) {
  return tqx::run(x, &index->numFields, &index->fieldIds[I]..., &index->unique);
}

}  // namespace

bool_t xdr_TQIndexStruct(XDR* xdrs, TQIndexStruct* index) {
  return indexWords(xdrs, index, std::make_index_sequence<TQ_MAX_INDEX_FIELDS>{});
}

bool_t xdr_TQIndexList(XDR* xdrs, TQIndexList* indexes) {
  return tqx::list<TQIndexStruct, xdr_TQIndexStruct>(xdrs, &indexes->numItems, &indexes->indexList);
}

// ----------------------------------------------------------- export items

bool_t xdr_TQStructItemStruct(XDR* xdrs, TQStructItemStruct* item) {
  return tqx::u32(xdrs, &item->type) && fixed(xdrs, item->name);
}

bool_t xdr_TQStructItemList(XDR* xdrs, TQStructItemList* items) {
  return tqx::list<TQStructItemStruct, xdr_TQStructItemStruct>(xdrs, &items->numItems,
                                                               &items->structItemList);
}
