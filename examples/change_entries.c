/*
 * change_entries.c - creates, changes and deletes entries.
 *
 *   change_entries SERVER
 *
 * Works on the form "Demo:Request" of examples/demo-forms.txt, the forms the
 * reference server is started with (tqserverd --forms examples/demo-forms.txt):
 * creates two requests, changes the first, deletes the second, reads the
 * first back and shows that the second is gone. Logs in as user "Demo" with
 * an empty password; set TQTCPPORT to the port the reference server prints.
 * Exits with 0 when every step went as planned, 1 otherwise.
 */
#include <stdio.h>
#include <string.h>

#include "example_print.h"
#include "tqlink.h"

static const char* const kForm = "Demo:Request";

/* Field ids of Demo:Request. */
enum {
  kAssignedTo = 4,         /* char */
  kStatus = 7,             /* enum: 0 New, 1 Open, 2 Closed */
  kShortDescription = 8,   /* char */
  kPriority = 536870914,   /* enum: 0 Low, 1 Medium, 2 High */
  kHoursSpent = 536870916, /* real */
};

/* A field value of data type char; the text stays ours, the library only
   reads it. */
static TQFieldValueStruct charField(uint32_t fieldId, const char* text) {
  TQFieldValueStruct field;
  memset(&field, 0, sizeof field);
  field.fieldId = fieldId;
  field.value.dataType = TQ_DATA_TYPE_CHAR;
  field.value.u.charVal = (char*)text;
  return field;
}

static TQFieldValueStruct enumField(uint32_t fieldId, uint32_t index) {
  TQFieldValueStruct field;
  memset(&field, 0, sizeof field);
  field.fieldId = fieldId;
  field.value.dataType = TQ_DATA_TYPE_ENUM;
  field.value.u.enumVal = index;
  return field;
}

/* Prints and releases the status list of a call; true when it succeeded. */
static int succeeded(uint32_t code, TQStatusList* status) {
  printStatus(status);
  FreeTQStatusList(status, 0);
  return code < TQ_RETURN_ERROR;
}

/* Creates one request; its new id lands in `id`. */
static int createRequest(TQControlStruct* control, TQFieldValueStruct* fields, uint32_t count,
                         TQEntryIdType id) {
  TQFieldValueList values = {count, fields};
  TQStatusList status;
  if (!succeeded(TQCreateEntry(control, kForm, &values, id, &status), &status)) return 0;
  printf("Created %s\n", id);
  return 1;
}

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: change_entries SERVER\n");
    return 2;
  }
  TQControlStruct control;
  memset(&control, 0, sizeof control);
  snprintf(control.user, sizeof control.user, "%s", "Demo");
  snprintf(control.server, sizeof control.server, "%s", argv[1]);
  TQStatusList status;
  if (!succeeded(TQInitialization(&control, &status), &status)) return 1;
  int ok = 0;

  /* 1. Create two requests. Fields not given get the form's defaults; the
        server fills in the id, the submitter and the dates itself. */
  TQEntryIdType first, second;
  TQFieldValueStruct printer[] = {charField(kShortDescription, "Printer on floor 3 jams"),
                                  enumField(kPriority, 2)};
  TQFieldValueStruct laptop[] = {charField(kShortDescription, "New laptop for Joe")};
  if (!createRequest(&control, printer, 2, first) || !createRequest(&control, laptop, 1, second)) {
    goto end;
  }

  /* 2. Change the first: only the fields given change. A get time of 0 and
        option 0 leave it to the server to accept the change as it comes. */
  TQFieldValueStruct changes[3] = {charField(kAssignedTo, "Ann"), enumField(kStatus, 1)};
  changes[2].fieldId = kHoursSpent;
  changes[2].value.dataType = TQ_DATA_TYPE_REAL;
  changes[2].value.u.realVal = 2.5;
  TQFieldValueList changed = {3, changes};
  TQEntryIdList firstId = {1, &first};
  if (!succeeded(TQSetEntry(&control, kForm, &firstId, &changed, 0, 0, &status), &status)) goto end;
  printf("Changed %s\n", first);

  /* 3. Delete the second. */
  TQEntryIdList secondId = {1, &second};
  if (!succeeded(TQDeleteEntry(&control, kForm, &secondId, 0, &status), &status)) goto end;
  printf("Deleted %s\n", second);

  /* 4. Read the changed fields of the first back. */
  uint32_t wanted[] = {kShortDescription, kAssignedTo, kStatus, kPriority, kHoursSpent};
  TQInternalIdList fieldIds = {5, wanted};
  TQFieldValueList values = {0, NULL};
  uint32_t code = TQGetEntry(&control, kForm, &firstId, &fieldIds, &values, &status);
  if (succeeded(code, &status)) {
    printf("Request %s:\n", first);
    for (uint32_t i = 0; i < values.numItems; ++i) {
      printf("  %u: ", (unsigned)values.fieldValueList[i].fieldId);
      printValue(&values.fieldValueList[i].value);
      printf("\n");
    }
  }
  FreeTQFieldValueList(&values, 0); /* the values are ours to release */
  if (code >= TQ_RETURN_ERROR) goto end;

  /* 5. The deleted one is gone: reading it fails with an error status
        (printed on stderr), which is what this step expects. */
  code = TQGetEntry(&control, kForm, &secondId, NULL, NULL, &status);
  printf("Reading %s again: %s\n", second, code >= TQ_RETURN_ERROR ? "gone" : "still there");
  ok = !succeeded(code, &status);

end:
  /* Always end the session, also after a failed step. */
  TQTermination(&control, &status);
  FreeTQStatusList(&status, 0);
  return ok ? 0 : 1;
}
