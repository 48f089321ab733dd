// The converting text routines of the wire encoding. Every character field
// of every record travels through one of these three, so that texts are
// converted between the session's client and server character sets on the
// way out and back. They find the session through the calling thread's
// current session and fail without one (releasing needs no session).
//
// When the two character sets are equal, the routines hand the field to the
// plain XDR primitive and allocate nothing. The counted-text routine also
// passes its bytes unchanged while the session's no-conversion byte is set
// (attachment, export and support-file transfers).
#pragma once

#include <rpc/rpc.h>

#include <cstdint>

// A fixed character array: `wireSize` bytes on the wire, padded. `capacity`
// is the array's size in memory when it is larger than wireSize (the call
// header's language is 17 bytes in memory and 16 on the wire); 0 means equal.
//  - encode: the text up to its terminator, converted, then zeros up to
//    wireSize; a converted text that does not fit is cut on a character
//    boundary so that a terminator still travels (unless capacity > wireSize,
//    where all wireSize bytes may hold text).
//  - decode: the received bytes, converted, copied back multibyte-safely and
//    always terminated inside the array.
bool_t tqxdrFixedText(XDR* xdrs, char* text, uint32_t wireSize, uint32_t capacity = 0);

// A text pointer with a bound: length, bytes, padding. Decode allocates.
// A null text encodes as the empty text.
bool_t tqxdrText(XDR* xdrs, char** text, uint32_t max);

// A text with a separate length. After a converting decode the length is
// that of the converted text; decoded blocks always carry a terminator one
// byte past the length.
bool_t tqxdrCountedText(XDR* xdrs, char** text, uint32_t* length, uint32_t max);

// Why the last converting encode on this thread failed, for the caller's
// status: a text that is not valid in the client's set, or a character that
// has no form in the server's set (such a text is never sent altered).
// nullptr when no encode failed since tqxdrClearProblem.
const char* tqxdrProblem();
void tqxdrClearProblem();
