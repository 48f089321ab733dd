/*
 * search_entries.c - searches a form with a qualification written as text
 * and lists the entries that match.
 *
 *   search_entries SERVER FORM QUALIFICATION
 *
 * QUALIFICATION is a search such as
 *   'Short Description' LIKE "%printer%" AND 'Priority' >= "Medium"
 * where fields are named by their labels in the form's default view, in
 * single quotes, and values are in double quotes. Prints "ENTRY-ID  short
 * description" for every match in entry id order, then "N matches". An empty
 * text matches every entry. Logs in as user "Demo" with an empty password,
 * as read_entry.c does (see there for TQTCPPORT). Exits with 0 when the
 * search ran, 1 otherwise (a text that does not parse, an unknown form).
 */
#include <stdio.h>
#include <string.h>

#include "example_print.h"
#include "tqlink.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    fprintf(stderr, "usage: search_entries SERVER FORM QUALIFICATION\n");
    return 2;
  }

  TQControlStruct control;
  memset(&control, 0, sizeof control);
  snprintf(control.user, sizeof control.user, "%s", "Demo");
  snprintf(control.server, sizeof control.server, "%s", argv[1]);
  TQStatusList status;

  uint32_t code = TQInitialization(&control, &status);
  printStatus(&status);
  FreeTQStatusList(&status, 0);
  if (code >= TQ_RETURN_ERROR) return 1;

  /* The text becomes a qualification tree. The library reads the form's
     fields from the server to know what each label means; a text it cannot
     read gives an error that says where parsing stopped. NULL as the view
     means the form's default view. */
  TQQualifierStruct qualifier;
  memset(&qualifier, 0, sizeof qualifier);
  code = TQLoadTQQualifierStruct(&control, argv[2], NULL, argv[3], &qualifier, &status);
  printStatus(&status);
  FreeTQStatusList(&status, 0);

  if (code < TQ_RETURN_ERROR) {
    /* The search itself. NULL fields ask for the short description of each
       match, NULL sort for entry id order, 0 for no maximum; the number of
       all matches comes back too. */
    TQEntryListList entries = {0, NULL};
    uint32_t matches = 0;
    code =
        TQGetListEntry(&control, argv[2], &qualifier, NULL, NULL, 0, &entries, &matches, &status);
    if (code < TQ_RETURN_ERROR) {
      for (uint32_t i = 0; i < entries.numItems; ++i) {
        const TQEntryListStruct* entry = &entries.entryList[i];
        /* An entry id list holds one id, except for the entries of join
           forms. */
        printf("%s  %s\n", entry->entryId.numItems > 0 ? entry->entryId.entryIdList[0] : "",
               entry->shortDescription != NULL ? entry->shortDescription : "");
      }
      printf("%u matches\n", (unsigned)matches);
    }
    printStatus(&status);
    FreeTQEntryListList(&entries, 0);
    FreeTQStatusList(&status, 0);
  }
  /* The tree's nodes belong to us: the 0 says the record itself is not on
     the heap, only what it points to. */
  FreeTQQualifierStruct(&qualifier, 0);

  TQStatusList endStatus;
  TQTermination(&control, &endStatus);
  FreeTQStatusList(&endStatus, 0);
  return code < TQ_RETURN_ERROR ? 0 : 1;
}
