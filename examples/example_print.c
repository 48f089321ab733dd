/*
 * example_print.c - printing status lists and field values for the example
 * programs.
 */
#define _POSIX_C_SOURCE 200809L /* gmtime_r */

#include "example_print.h"

#include <stdio.h>
#include <time.h>

void printStatus(const TQStatusList* status) {
  static const char* const kinds[] = {"NOTE", "WARNING", "ERROR"};
  /* The list is sorted most severe first, so item 0 decides the return code. */
  for (uint32_t i = 0; i < status->numItems; ++i) {
    const TQStatusStruct* item = &status->statusList[i];
    const char* kind = item->messageType <= TQ_MSG_ERROR ? kinds[item->messageType] : "STATUS";
    fprintf(stderr, "%s %d: %s", kind, (int)item->messageNumber, item->messageText);
    if (item->appendedText != NULL && item->appendedText[0] != '\0') {
      fprintf(stderr, " (%s)", item->appendedText);
    }
    fputc('\n', stderr);
  }
}

void printValue(const TQValueStruct* value) {
  /* The data type says which member of the union holds the value. */
  switch (value->dataType) {
    case TQ_DATA_TYPE_NULL:
      printf("(null)");
      break;
    case TQ_DATA_TYPE_INTEGER:
      printf("%d", (int)value->u.intVal);
      break;
    case TQ_DATA_TYPE_REAL:
      printf("%g", value->u.realVal);
      break;
    case TQ_DATA_TYPE_CHAR:
      printf("%s", value->u.charVal);
      break;
    case TQ_DATA_TYPE_DIARY: /* the encoded diary text, as the server keeps it */
      printf("%s", value->u.diaryVal);
      break;
    case TQ_DATA_TYPE_DECIMAL: /* decimals travel as text, e.g. "12.50" */
      printf("%s", value->u.decimalVal);
      break;
    case TQ_DATA_TYPE_ENUM: /* the index of the value name, from 0 */
      printf("%u", (unsigned)value->u.enumVal);
      break;
    case TQ_DATA_TYPE_TIME: { /* seconds since 1970-01-01 00:00 UTC */
      char text[32];
      time_t seconds = (time_t)value->u.timeVal;
      struct tm utc;
      strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S UTC", gmtime_r(&seconds, &utc));
      printf("%s", text);
      break;
    }
    case TQ_DATA_TYPE_BITMASK:
      printf("0x%x", (unsigned)value->u.maskVal);
      break;
    case TQ_DATA_TYPE_ULONG:
      printf("%u", (unsigned)value->u.ulongVal);
      break;
    default:
      printf("(a value of data type %u)", (unsigned)value->dataType);
      break;
  }
}
