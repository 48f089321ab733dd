/*
 * read_entry.c - connects to a server and reads one entry of a form.
 *
 *   read_entry SERVER FORM ENTRY-ID [FIELD-ID ...]
 *
 * Prints "FIELD-ID: value" for every field of the entry, or for the fields
 * named. Logs in as user "Demo" with an empty password, the demonstration
 * user of the reference server (build/bin/tqserverd). tqlink asks the
 * server's queue directory which port to use; export TQTCPPORT=<port> to say
 * where that directory listens, as the reference server prints it.
 * Exits with 0 when the entry was read, 1 otherwise.
 */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "example_print.h"
#include "tqlink.h"

int main(int argc, char** argv) {
  if (argc < 4) {
    fprintf(stderr, "usage: read_entry SERVER FORM ENTRY-ID [FIELD-ID ...]\n");
    return 2;
  }

  /* The control record says who calls which server; it is the first argument
     of every call. The status list, the last argument, receives what the
     library and the server report; the caller releases it after each call. */
  TQControlStruct control;
  memset(&control, 0, sizeof control);
  snprintf(control.user, sizeof control.user, "%s", "Demo");
  snprintf(control.server, sizeof control.server, "%s", argv[1]);
  TQStatusList status;

  /* Open a session. Return codes: 0 ok, 1 warning, 2 error (see the list). */
  uint32_t code = TQInitialization(&control, &status);
  printStatus(&status);
  FreeTQStatusList(&status, 0);
  if (code >= TQ_RETURN_ERROR) return 1;

  /* An entry is named by a list of ids: one id, except for join forms. */
  TQEntryIdType id;
  snprintf(id, sizeof id, "%s", argv[3]);
  TQEntryIdList entryId = {1, &id};

  /* The wanted fields; an empty list asks for all of them. */
  uint32_t wanted[32];
  TQInternalIdList fieldIds = {0, wanted};
  for (int i = 4; i < argc && fieldIds.numItems < 32; ++i) {
    wanted[fieldIds.numItems++] = (uint32_t)strtoul(argv[i], NULL, 10);
  }

  /* The values come back in memory that now belongs to us. */
  TQFieldValueList values = {0, NULL};
  code = TQGetEntry(&control, argv[2], &entryId, &fieldIds, &values, &status);
  if (code < TQ_RETURN_ERROR) {
    for (uint32_t i = 0; i < values.numItems; ++i) {
      printf("%u: ", (unsigned)values.fieldValueList[i].fieldId);
      printValue(&values.fieldValueList[i].value);
      printf("\n");
    }
  }
  printStatus(&status);
  /* Release what the call returned; safe also after a failure, since every
     call empties its outputs first. */
  FreeTQFieldValueList(&values, 0);
  FreeTQStatusList(&status, 0);

  /* End the session: the server is told, and every connection closed. */
  TQStatusList endStatus;
  TQTermination(&control, &endStatus);
  FreeTQStatusList(&endStatus, 0);
  return code < TQ_RETURN_ERROR ? 0 : 1;
}
