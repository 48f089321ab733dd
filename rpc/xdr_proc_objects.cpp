// XDR routines of the view, support-file and container procedures 62 to 66,
// 68 to 72 and 74 to 78 (see xdr_proc.h).
#include "rpc/xdr_base.h"
#include "rpc/xdr_defs.h"
#include "rpc/xdr_proc.h"
#include "rpc/xdr_proc_util.h"

using tqdefs::countedText;
using tqdefs::fixed;
using tqproc::header;
using tqproc::name;
using tqproc::status;

namespace {

// file type, name, id: the start of every support-file record.
template <class A>
bool_t supportFileStart(XDR* x, A* a) {
  return header(x, &a->header) && tqx::u32(x, &a->fileType) && name(x, &a->name) &&
         tqx::u32(x, &a->id);
}

// permissions, sub-administrator groups, owner object, label, description,
// type, references: the body that container get, set and create share.
template <class R>
bool_t containerBody(XDR* x, R* r) {
  return xdr_TQPermissionList(x, &r->groups) && xdr_TQInternalIdList(x, &r->adminGroups) &&
         xdr_TQContainerOwnerObj(x, &r->ownerObj) && countedText(x, &r->label, &r->labelLength) &&
         countedText(x, &r->description, &r->descriptionLength) && tqx::u32(x, &r->type) &&
         xdr_TQReferenceList(x, &r->references);
}

}  // namespace

// ------------------------------------------------------------------ views

bool_t xdr_TQViewArgs6(XDR* xdrs, TQViewArgs* args) {
  return header(xdrs, &args->header) && name(xdrs, &args->schema) && tqx::u32(xdrs, &args->viewId);
}

bool_t xdr_TQViewMaskArgs6(XDR* xdrs, TQViewMaskArgs* args) {
  return header(xdrs, &args->header) && name(xdrs, &args->schema) &&
         tqx::u32(xdrs, &args->viewId) && tqx::u32(xdrs, &args->mask);
}

bool_t xdr_TQGetVUIResult6(XDR* xdrs, TQGetVUIResult* result) {
  return header(xdrs, &result->header) && fixed(xdrs, result->viewName) &&
         xdr_TQPropList(xdrs, &result->props) && xdr_TQCommonAttributes(xdrs, &result->common) &&
         status(xdrs, &result->status);
}

bool_t xdr_TQSetVUIArgs6(XDR* xdrs, TQSetVUIArgs* args) {
  return header(xdrs, &args->header) && name(xdrs, &args->schema) &&
         tqx::u32(xdrs, &args->viewId) && tqx::u32(xdrs, &args->changedMask) &&
         name(xdrs, &args->viewName) && xdr_TQPropList(xdrs, &args->props) &&
         xdr_TQCommonChanges(xdrs, &args->common);
}

bool_t xdr_TQCreateVUIArgs6(XDR* xdrs, TQCreateVUIArgs* args) {
  return header(xdrs, &args->header) && name(xdrs, &args->schema) &&
         tqx::u32(xdrs, &args->viewId) && name(xdrs, &args->viewName) &&
         xdr_TQPropList(xdrs, &args->props) && xdr_TQCommonChanges(xdrs, &args->common);
}

// ---------------------------------------------------------- support files

bool_t xdr_TQSupportFileArgs6(XDR* xdrs, TQSupportFileArgs* args) {
  return supportFileStart(xdrs, args) && tqx::u32(xdrs, &args->fileId);
}

bool_t xdr_TQGetSupportFileArgs6(XDR* xdrs, TQGetSupportFileArgs* args) {
  return supportFileStart(xdrs, args) && tqx::u32(xdrs, &args->fileId) &&
         tqx::u32(xdrs, &args->wanted);
}

bool_t xdr_TQGetSupportFileResult6(XDR* xdrs, TQGetSupportFileResult* result) {
  return header(xdrs, &result->header) && tqx::i32(xdrs, &result->changed) &&
         countedText(xdrs, &result->contents, &result->contentsLength) &&
         status(xdrs, &result->status);
}

bool_t xdr_TQSetSupportFileArgs6(XDR* xdrs, TQSetSupportFileArgs* args) {
  return supportFileStart(xdrs, args) && tqx::u32(xdrs, &args->fileId) &&
         countedText(xdrs, &args->contents, &args->contentsLength);
}

bool_t xdr_TQGetListSupportFileArgs6(XDR* xdrs, TQGetListSupportFileArgs* args) {
  return supportFileStart(xdrs, args) && tqx::i32(xdrs, &args->changedSince);
}

// ------------------------------------------------------------- containers

bool_t xdr_TQGetContainerArgs6(XDR* xdrs, TQGetContainerArgs* args) {
  return header(xdrs, &args->header) && name(xdrs, &args->name) && tqx::u32(xdrs, &args->mask) &&
         xdr_TQReferenceTypeList(xdrs, &args->refTypes);
}

bool_t xdr_TQGetContainerResult6(XDR* xdrs, TQGetContainerResult* result) {
  return header(xdrs, &result->header) && containerBody(xdrs, result) &&
         xdr_TQCommonAttributes(xdrs, &result->common) && status(xdrs, &result->status);
}

bool_t xdr_TQSetContainerArgs6(XDR* xdrs, TQSetContainerArgs* args) {
  return header(xdrs, &args->header) && name(xdrs, &args->name) &&
         tqx::u32(xdrs, &args->changedMask) && name(xdrs, &args->newName) &&
         containerBody(xdrs, args) && tqx::uchar(xdrs, &args->removeFlag) &&
         xdr_TQCommonChanges(xdrs, &args->common);
}

bool_t xdr_TQCreateContainerArgs6(XDR* xdrs, TQCreateContainerArgs* args) {
  return header(xdrs, &args->header) && name(xdrs, &args->name) && containerBody(xdrs, args) &&
         tqx::uchar(xdrs, &args->removeFlag) && xdr_TQCommonChanges(xdrs, &args->common);
}

bool_t xdr_TQGetListContainerArgs6(XDR* xdrs, TQGetListContainerArgs* args) {
  return header(xdrs, &args->header) && tqx::i32(xdrs, &args->changedSince) &&
         xdr_TQContainerTypeList(xdrs, &args->types) && tqx::u32(xdrs, &args->attributes) &&
         xdr_TQContainerOwnerObj(xdrs, &args->owner);
}

bool_t xdr_TQGetListContainerResult6(XDR* xdrs, TQGetListContainerResult* result) {
  return header(xdrs, &result->header) && xdr_TQContainerInfoList(xdrs, &result->containers) &&
         status(xdrs, &result->status);
}
