/*
 * example_print.h - printing what tqlink returns, for the example programs:
 * a status list (what the library or the server has to say about a call) and
 * a typed field value.
 */
#ifndef EXAMPLE_PRINT_H
#define EXAMPLE_PRINT_H

#include "tqlink.h"

/* Prints each status item as "ERROR 302: text (appended text)" on stderr. */
void printStatus(const TQStatusList* status);

/* Prints a value as text on stdout: numbers in decimal, texts as they are,
   times as UTC dates, and "(null)" for the NULL value. */
void printValue(const TQValueStruct* value);

#endif /* EXAMPLE_PRINT_H */
