// Forces one malloc call of the test program's own code (and of the library
// objects linked into it) to fail. The test program is linked with
// -Wl,--wrap=malloc, so those calls go through the wrapper.
#pragma once

// Makes the n-th malloc call from now on return NULL (n counts from 1); 0
// lets every call through again.
void failNthMalloc(int n);

// Whether the forced failure has happened since the last failNthMalloc.
bool mallocFailureHappened();
