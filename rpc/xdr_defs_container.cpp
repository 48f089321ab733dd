// XDR routines of containers and references (see xdr_defs.h).
#include "rpc/xdr_base.h"
#include "rpc/xdr_defs.h"
#include "rpc/xdr_defs_util.h"
#include "rpc/xdr_records.h"

using tqdefs::fixed;
using tqx::Arm;
using tqx::erased;

// ----------------------------------------------- containers and references

bool_t xdr_TQContainerOwnerObj(XDR* xdrs, TQContainerOwnerObj* owner) {
  return tqx::u32(xdrs, &owner->type) && fixed(xdrs, owner->ownerName);
}

bool_t xdr_TQContainerOwnerObjList(XDR* xdrs, TQContainerOwnerObjList* owners) {
  return tqx::list<TQContainerOwnerObj, xdr_TQContainerOwnerObj>(xdrs, &owners->numItems,
                                                                 &owners->ownerObjList);
}

bool_t xdr_TQContainerTypeList(XDR* xdrs, TQContainerTypeList* types) {
  return tqx::list<int32_t, tqx::i32>(xdrs, &types->numItems, &types->type);
}

bool_t xdr_TQReferenceTypeList(XDR* xdrs, TQReferenceTypeList* types) {
  return tqx::list<int32_t, tqx::i32>(xdrs, &types->numItems, &types->refType);
}

bool_t xdr_TQExtReferenceStruct(XDR* xdrs, TQExtReferenceStruct* extRef) {
  return xdr_TQInternalIdList(xdrs, &extRef->permittedGroups) &&
         xdr_TQValueStruct(xdrs, &extRef->value);
}

namespace {

bool_t objectName(XDR* x, TQNameType* name) {
  return fixed(x, *name);
}

}  // namespace

// label and description (unbounded texts), reference type, data type, then:
// 0 the server object's name fixed(31); 1 the external reference.
bool_t xdr_TQReferenceStruct(XDR* xdrs, TQReferenceStruct* reference) {
  static constexpr Arm arms[] = {
      {TQ_REF_DATA_SERVER, TQ_REF_DATA_SERVER, erased<TQNameType, objectName>},
      {TQ_REF_DATA_EXTERNAL, TQ_REF_DATA_EXTERNAL,
       erased<TQExtReferenceStruct, xdr_TQExtReferenceStruct>},
  };
  return tqdefs::unboundedText(xdrs, &reference->label) &&
         tqdefs::unboundedText(xdrs, &reference->description) && tqx::u32(xdrs, &reference->type) &&
         tqx::unionOf(xdrs, &reference->dataType, &reference->u, arms);
}

bool_t xdr_TQReferenceList(XDR* xdrs, TQReferenceList* references) {
  return tqx::list<TQReferenceStruct, xdr_TQReferenceStruct>(xdrs, &references->numItems,
                                                             &references->referenceList);
}

bool_t xdr_TQContainerInfo(XDR* xdrs, TQContainerInfo* info) {
  return fixed(xdrs, info->name) && tqx::u32(xdrs, &info->type) &&
         xdr_TQContainerOwnerObj(xdrs, &info->owner);
}

bool_t xdr_TQContainerInfoList(XDR* xdrs, TQContainerInfoList* infos) {
  return tqx::list<TQContainerInfo, xdr_TQContainerInfo>(xdrs, &infos->numItems,
                                                         &infos->conInfoList);
}
