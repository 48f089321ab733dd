/*
 * attachment.c - sends an attachment from memory with a new entry and
 * fetches it back.
 *
 *   attachment SERVER FORM FIELD-ID
 *
 * Creates an entry on FORM whose attachment field FIELD-ID holds a small
 * text made in memory, with a title in field 8 (the short description),
 * fetches the attachment back into memory with TQGetEntryBLOB, and prints
 * the entry id, the size fetched and whether the bytes are the ones sent.
 * examples/attach-forms.txt declares such a form, Demo:Document, whose
 * field 536870920 is an attachment. Logs in as user
 * "Demo" with an empty password, as read_entry.c does (see there for
 * TQTCPPORT). Exits with 0 when the bytes came back unchanged, 1 otherwise.
 */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "example_print.h"
#include "tqlink.h"

#define TITLE_FIELD 8u

static char kSummary[] = "Notes attached";
static const char kText[] = "Meeting notes: the printer on floor 3 jams on A3 paper.\n";

int main(int argc, char** argv) {
  if (argc != 4) {
    fprintf(stderr, "usage: attachment SERVER FORM FIELD-ID\n");
    return 2;
  }

  TQControlStruct control;
  memset(&control, 0, sizeof control);
  snprintf(control.user, sizeof control.user, "%s", "Demo");
  snprintf(control.server, sizeof control.server, "%s", argv[1]);
  const char* form = argv[2];
  const uint32_t field = (uint32_t)strtoul(argv[3], NULL, 10);
  TQStatusList status;

  uint32_t code = TQInitialization(&control, &status);
  printStatus(&status);
  FreeTQStatusList(&status, 0);
  if (code >= TQ_RETURN_ERROR) return 1;

  /* An attachment value: a file name to show to users, the size of the
     data, and where the data is (here a memory block). The library packs the
     data in place before sending it, replacing the block with the packed
     one, so the name and the block must be malloc blocks of ours; we release
     them with FreeTQAttachStruct below. */
  const size_t size = sizeof kText - 1;
  TQAttachStruct attach;
  memset(&attach, 0, sizeof attach);
  attach.name = malloc(sizeof "notes.txt");
  attach.loc.locationType = TQ_LOC_BUFFER;
  attach.loc.u.buf.buffer = malloc(size);
  if (attach.name == NULL || attach.loc.u.buf.buffer == NULL) {
    fprintf(stderr, "out of memory\n");
    FreeTQAttachStruct(&attach, 0);
    TQTermination(&control, &status);
    FreeTQStatusList(&status, 0);
    return 1;
  }
  memcpy(attach.name, "notes.txt", sizeof "notes.txt");
  memcpy(attach.loc.u.buf.buffer, kText, size);
  attach.loc.u.buf.bufferSize = (uint32_t)size;
  attach.originalSize = (int32_t)size;

  /* The new entry: a title and the attachment. */
  TQFieldValueStruct fields[2];
  memset(fields, 0, sizeof fields);
  fields[0].fieldId = TITLE_FIELD;
  fields[0].value.dataType = TQ_DATA_TYPE_CHAR;
  fields[0].value.u.charVal = kSummary;
  fields[1].fieldId = field;
  fields[1].value.dataType = TQ_DATA_TYPE_ATTACH;
  fields[1].value.u.attachVal = &attach;
  TQFieldValueList values = {2, fields};
  TQEntryIdType id;
  code = TQCreateEntry(&control, form, &values, id, &status);
  printStatus(&status);
  FreeTQStatusList(&status, 0);
  FreeTQAttachStruct(&attach, 0);

  int same = 0;
  if (code < TQ_RETURN_ERROR) {
    printf("Created %s with %s (%u bytes)\n", id, "notes.txt", (unsigned)size);

    /* Fetch the attachment into memory: the library unpacks it into a new
       malloc block (followed by a zero byte) that we release with free. */
    TQEntryIdList entryId = {1, &id};
    TQLocStruct loc;
    memset(&loc, 0, sizeof loc);
    loc.locationType = TQ_LOC_BUFFER;
    code = TQGetEntryBLOB(&control, form, &entryId, field, &loc, &status);
    printStatus(&status);
    FreeTQStatusList(&status, 0);
    if (code < TQ_RETURN_ERROR) {
      same = loc.u.buf.bufferSize == size && memcmp(loc.u.buf.buffer, kText, size) == 0;
      printf("Fetched %u bytes: %s\n", (unsigned)loc.u.buf.bufferSize,
             same ? "the same as sent" : "DIFFERENT from what was sent");
    }
    free(loc.u.buf.buffer);
  }

  TQStatusList endStatus;
  TQTermination(&control, &endStatus);
  FreeTQStatusList(&endStatus, 0);
  return same ? 0 : 1;
}
