// XDR routines of the session procedures: 36 (server information, the
// identity query of first contact) and 47 (end-of-session notice), and the
// queue directory program 390604. Suffix digits as in xdr_entry.h.
#pragma once

#include <rpc/rpc.h>

#include "rpc/procedure_records.h"

bool_t xdr_TQServerInfoRequestList(XDR* xdrs, TQServerInfoRequestList* requests);
bool_t xdr_TQServerInfoStruct(XDR* xdrs, TQServerInfoStruct* info);
bool_t xdr_TQServerInfoList(XDR* xdrs, TQServerInfoList* infos);

// Procedure 36.
bool_t xdr_TQGetServerInfoArgs6(XDR* xdrs, TQGetServerInfoArgs* args);
bool_t xdr_TQGetServerInfoArgs2(XDR* xdrs, TQGetServerInfoArgs* args);
bool_t xdr_TQGetServerInfoResult6(XDR* xdrs, TQGetServerInfoResult* result);
bool_t xdr_TQGetServerInfoResult2(XDR* xdrs, TQGetServerInfoResult* result);

// Procedure 47 (its result is TQStatusResult, xdr_entry.h).
bool_t xdr_TQEndSessionArgs6(XDR* xdrs, TQEndSessionArgs* args);
bool_t xdr_TQEndSessionArgs2(XDR* xdrs, TQEndSessionArgs* args);

// Queue directory.
bool_t xdr_TQDirectoryWord(XDR* xdrs, uint32_t* word);  // arguments of 1 and 3; v1 result
bool_t xdr_TQDirectoryQueryArgs(XDR* xdrs, TQDirectoryQueryArgs* args);
bool_t xdr_TQDirectoryAnswer(XDR* xdrs, TQDirectoryAnswer* answer);
