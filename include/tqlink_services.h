/*
 * tqlink_services.h - support services of tqlink that other programs of the
 * same family use: message texts and status helpers, date and time text,
 * multibyte-safe text routines, and two data items.
 */
#ifndef TQLINK_SERVICES_H
#define TQLINK_SERVICES_H

#include "tqlink.h"

#ifdef __cplusplus
extern "C" {
#endif

/* --- Messages and status lists ------------------------------------------ */

/* --- Multibyte text ----------------------------------------------------- */

#ifdef __cplusplus
}
#endif

#endif /* TQLINK_SERVICES_H */
