// XDR routines of the entry procedures 1 to 5 and 37, per protocol version.
// The digit at the end of a name is the lowest version of the form: "6" is
// version 6, "4" versions 4 and 5, "2" versions 2 and 3 (see
// procedure_records.h for the fields).
#pragma once

#include <rpc/rpc.h>

#include "rpc/procedure_records.h"

// Procedure 1.
bool_t xdr_TQGetEntryArgs6(XDR* xdrs, TQGetEntryArgs* args);
bool_t xdr_TQGetEntryArgs4(XDR* xdrs, TQGetEntryArgs* args);
bool_t xdr_TQGetEntryArgs2(XDR* xdrs, TQGetEntryArgsOld* args);
bool_t xdr_TQGetEntryResult6(XDR* xdrs, TQGetEntryResult* result);
bool_t xdr_TQGetEntryResult2(XDR* xdrs, TQGetEntryResult* result);

// Procedure 2.
bool_t xdr_TQSetEntryArgs6(XDR* xdrs, TQSetEntryArgs* args);
bool_t xdr_TQSetEntryArgs4(XDR* xdrs, TQSetEntryArgs* args);
bool_t xdr_TQSetEntryArgs2(XDR* xdrs, TQSetEntryArgsOld* args);

// Procedure 3.
bool_t xdr_TQCreateEntryArgs6(XDR* xdrs, TQCreateEntryArgs* args);
bool_t xdr_TQCreateEntryArgs2(XDR* xdrs, TQCreateEntryArgs* args);

// Procedure 4.
bool_t xdr_TQDeleteEntryArgs6(XDR* xdrs, TQDeleteEntryArgs* args);
bool_t xdr_TQDeleteEntryArgs4(XDR* xdrs, TQDeleteEntryArgs* args);
bool_t xdr_TQDeleteEntryArgs2(XDR* xdrs, TQDeleteEntryArgsOld* args);

// Procedure 5.
bool_t xdr_TQGetListEntryArgs6(XDR* xdrs, TQGetListEntryArgs* args);
bool_t xdr_TQGetListEntryArgs2(XDR* xdrs, TQGetListEntryArgs* args);
bool_t xdr_TQGetListEntryResult6(XDR* xdrs, TQGetListEntryResult* result);
bool_t xdr_TQGetListEntryResult4(XDR* xdrs, TQGetListEntryResult* result);
bool_t xdr_TQGetListEntryResult2(XDR* xdrs, TQGetListEntryResultOld* result);

// Procedure 37.
bool_t xdr_TQMergeEntryArgs6(XDR* xdrs, TQMergeEntryArgs* args);
bool_t xdr_TQMergeEntryArgs4(XDR* xdrs, TQMergeEntryArgs* args);
bool_t xdr_TQMergeEntryArgs2(XDR* xdrs, TQMergeEntryArgsOld* args);

// Results shared by several procedures: status only (2, 4, 47) and new
// entry id (3, 37).
bool_t xdr_TQStatusResult6(XDR* xdrs, TQStatusResult* result);
bool_t xdr_TQStatusResult2(XDR* xdrs, TQStatusResult* result);
bool_t xdr_TQEntryIdResult6(XDR* xdrs, TQEntryIdResult* result);
bool_t xdr_TQEntryIdResult2(XDR* xdrs, TQEntryIdResult* result);
