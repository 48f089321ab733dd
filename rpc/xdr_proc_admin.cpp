// XDR routines of the user, group, server-setting, SQL and process
// procedures 32, 33, 44, 46, 53, 54, 59, 61 and 90 to 93 (see xdr_proc.h).
#include "rpc/xdr_base.h"
#include "rpc/xdr_defs.h"
#include "rpc/xdr_proc.h"
#include "rpc/xdr_proc_util.h"
#include "rpc/xdr_session.h"

using tqdefs::fixed;
using tqproc::header;
using tqproc::name;
using tqproc::status;

// --------------------------------------------------------- users, groups

bool_t xdr_TQVerifyUserResult6(XDR* xdrs, TQVerifyUserResult* result) {
  return header(xdrs, &result->header) && tqx::uchar(xdrs, &result->admin) &&
         tqx::uchar(xdrs, &result->subAdmin) && tqx::uchar(xdrs, &result->customize) &&
         status(xdrs, &result->status);
}

bool_t xdr_TQGetListGroupArgs6(XDR* xdrs, TQGetListGroupArgs* args) {
  return header(xdrs, &args->header) && fixed(xdrs, args->user);
}

bool_t xdr_TQGetListGroupResult6(XDR* xdrs, TQGetListGroupResult* result) {
  return header(xdrs, &result->header) && xdr_TQGroupInfoList(xdrs, &result->groups) &&
         status(xdrs, &result->status);
}

bool_t xdr_TQGetListUserArgs6(XDR* xdrs, TQGetListUserArgs* args) {
  return header(xdrs, &args->header) && tqx::u32(xdrs, &args->listType);
}

bool_t xdr_TQGetListUserResult6(XDR* xdrs, TQGetListUserResult* result) {
  return header(xdrs, &result->header) && xdr_TQUserInfoList(xdrs, &result->users) &&
         status(xdrs, &result->status);
}

// ------------------------------------------ server and full-text settings

bool_t xdr_TQSetServerInfoArgs6(XDR* xdrs, TQSetServerInfoArgs* args) {
  return header(xdrs, &args->header) && xdr_TQServerInfoList(xdrs, &args->info);
}

bool_t xdr_TQSetFullTextInfoArgs6(XDR* xdrs, TQSetFullTextInfoArgs* args) {
  return header(xdrs, &args->header) && xdr_TQFullTextInfoList(xdrs, &args->info);
}

bool_t xdr_TQGetFullTextInfoArgs6(XDR* xdrs, TQGetFullTextInfoArgs* args) {
  return header(xdrs, &args->header) && xdr_TQFullTextInfoRequestList(xdrs, &args->requests);
}

bool_t xdr_TQGetFullTextInfoResult6(XDR* xdrs, TQGetFullTextInfoResult* result) {
  return header(xdrs, &result->header) && xdr_TQFullTextInfoList(xdrs, &result->info) &&
         status(xdrs, &result->status);
}

// --------------------------------------------------------- SQL, processes

bool_t xdr_TQGetListSQLArgs6(XDR* xdrs, TQGetListSQLArgs* args) {
  return header(xdrs, &args->header) && tqdefs::unboundedText(xdrs, &args->sqlCommand) &&
         tqx::u32(xdrs, &args->maxRetrieve) && tqx::u32(xdrs, &args->countWanted);
}

bool_t xdr_TQGetListSQLResult6(XDR* xdrs, TQGetListSQLResult* result) {
  return header(xdrs, &result->header) && xdr_TQValueListList(xdrs, &result->rows) &&
         tqx::u32(xdrs, &result->numMatches) && status(xdrs, &result->status);
}

bool_t xdr_TQExecuteProcessArgs6(XDR* xdrs, TQExecuteProcessArgs* args) {
  return header(xdrs, &args->header) && tqdefs::unboundedText(xdrs, &args->command) &&
         tqx::u32(xdrs, &args->wait);
}

bool_t xdr_TQExecuteProcessResult6(XDR* xdrs, TQExecuteProcessResult* result) {
  return header(xdrs, &result->header) && tqx::i32(xdrs, &result->returnStatus) &&
         tqdefs::countedText(xdrs, &result->output, &result->outputLength) &&
         status(xdrs, &result->status);
}

// ------------------------------------------- user and group changes, 90-93

bool_t xdr_TQAccountPrefix(XDR* xdrs, TQAccountPrefix* prefix) {
  return tqdefs::text<kTQWireHostName>(xdrs, &prefix->hostName) && name(xdrs, &prefix->user) &&
         name(xdrs, &prefix->password);
}

bool_t xdr_TQCreateUserArgs6(XDR* xdrs, TQCreateUserArgs* args) {
  return xdr_TQAccountPrefix(xdrs, &args->prefix) && name(xdrs, &args->userName) &&
         name(xdrs, &args->password) && tqdefs::unboundedText(xdrs, &args->emailAddress) &&
         xdr_TQInternalIdList(xdrs, &args->groupIds);
}

bool_t xdr_TQDeleteUserArgs6(XDR* xdrs, TQDeleteUserArgs* args) {
  return xdr_TQAccountPrefix(xdrs, &args->prefix) && name(xdrs, &args->userName);
}

bool_t xdr_TQCreateGroupArgs6(XDR* xdrs, TQCreateGroupArgs* args) {
  return xdr_TQAccountPrefix(xdrs, &args->prefix) && name(xdrs, &args->groupName) &&
         tqx::u32(xdrs, &args->groupId) && tqx::u32(xdrs, &args->groupType);
}

bool_t xdr_TQDeleteGroupArgs6(XDR* xdrs, TQDeleteGroupArgs* args) {
  return xdr_TQAccountPrefix(xdrs, &args->prefix) && name(xdrs, &args->groupName);
}
