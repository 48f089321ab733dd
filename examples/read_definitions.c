/*
 * read_definitions.c - lists the fields of a form with their definitions.
 *
 *   read_definitions SERVER FORM
 *
 * Prints the form's default view, then one line per field, in id order:
 * the field id, its name, its data type and its label in that view.
 * Logs in as user "Demo" with an empty password, the demonstration user of
 * the reference server (build/bin/tqserverd); export TQTCPPORT=<port> to say
 * where the server's queue directory listens, as read_entry.c explains.
 * Exits with 0 when every field was read, 1 otherwise.
 */
#include <stdio.h>
#include <string.h>

#include "example_print.h"
#include "tqlink.h"

/* Display properties are numbered. A view marks itself the form's default
   view with property 161 set to 1; a field keeps its label for a view as
   property 20 of its display instance for that view. */
#define PROP_LABEL 20
#define PROP_DEFAULT_VIEW 161

/* The text of a property in a list, or NULL when the list lacks it. */
static const char* propText(const TQPropList* props, uint32_t tag) {
  for (uint32_t i = 0; i < props->numItems; ++i) {
    const TQPropStruct* p = &props->props[i];
    if (p->propertyTag == tag && p->value.dataType == TQ_DATA_TYPE_CHAR) return p->value.u.charVal;
  }
  return NULL;
}

static int isDefaultView(const TQPropList* props) {
  for (uint32_t i = 0; i < props->numItems; ++i) {
    const TQPropStruct* p = &props->props[i];
    if (p->propertyTag == PROP_DEFAULT_VIEW && p->value.dataType == TQ_DATA_TYPE_INTEGER &&
        p->value.u.intVal == 1) {
      return 1;
    }
  }
  return 0;
}

static const char* typeName(uint32_t dataType) {
  switch (dataType) {
    case TQ_DATA_TYPE_INTEGER:
      return "integer";
    case TQ_DATA_TYPE_REAL:
      return "real";
    case TQ_DATA_TYPE_CHAR:
      return "char";
    case TQ_DATA_TYPE_DIARY:
      return "diary";
    case TQ_DATA_TYPE_ENUM:
      return "enum";
    case TQ_DATA_TYPE_TIME:
      return "time";
    case TQ_DATA_TYPE_BITMASK:
      return "bitmask";
    case TQ_DATA_TYPE_DECIMAL:
      return "decimal";
    case TQ_DATA_TYPE_ATTACH:
      return "attach";
    case TQ_DATA_TYPE_ULONG:
      return "ulong";
    default:
      return "other";
  }
}

/* Finds the form's default view (or its first view; 0 when it has none)
   and puts its id into *view and its name into name. Returns the return
   code of listing the views: an error when the form does not exist. */
static uint32_t defaultView(TQControlStruct* control, const char* form, uint32_t* view,
                            TQNameType name) {
  TQStatusList status;
  TQInternalIdList views = {0, NULL};
  uint32_t chosen = 0;
  name[0] = '\0';
  const uint32_t code = TQGetListVUI(control, form, 0, &views, &status);
  if (code < TQ_RETURN_ERROR) {
    for (uint32_t i = 0; i < views.numItems; ++i) {
      /* Every output of a get may be NULL: here only the name and the
         properties are wanted. */
      TQNameType viewName;
      TQPropList props = {0, NULL};
      TQStatusList viewStatus;
      int isDefault = 0;
      if (TQGetVUI(control, form, views.internalIdList[i], viewName, &props, NULL, NULL, NULL, NULL,
                   NULL, &viewStatus) < TQ_RETURN_ERROR) {
        isDefault = isDefaultView(&props);
        if (chosen == 0 || isDefault) {
          chosen = views.internalIdList[i];
          snprintf(name, sizeof(TQNameType), "%s", viewName);
        }
      }
      printStatus(&viewStatus);
      FreeTQPropList(&props, 0);
      FreeTQStatusList(&viewStatus, 0);
      if (isDefault) break;
    }
  }
  printStatus(&status);
  FreeTQInternalIdList(&views, 0);
  FreeTQStatusList(&status, 0);
  *view = chosen;
  return code;
}

int main(int argc, char** argv) {
  if (argc != 3) {
    fprintf(stderr, "usage: read_definitions SERVER FORM\n");
    return 2;
  }
  const char* form = argv[2];

  TQControlStruct control;
  memset(&control, 0, sizeof control);
  snprintf(control.user, sizeof control.user, "%s", "Demo");
  snprintf(control.server, sizeof control.server, "%s", argv[1]);
  TQStatusList status;
  uint32_t code = TQInitialization(&control, &status);
  printStatus(&status);
  FreeTQStatusList(&status, 0);
  if (code >= TQ_RETURN_ERROR) return 1;

  uint32_t view = 0;
  TQNameType viewName;
  code = defaultView(&control, form, &view, viewName);
  int failed = code >= TQ_RETURN_ERROR;
  if (!failed) printf("Form %s, view %u (%s)\n", form, (unsigned)view, viewName);

  /* The ids of every field: type mask 0 asks for fields of every kind,
     changed-since 0 for fields changed at any time. */
  TQInternalIdList fields = {0, NULL};
  if (!failed) {
    code = TQGetListField(&control, form, 0, 0, &fields, &status);
    printStatus(&status);
    FreeTQStatusList(&status, 0);
    failed = code >= TQ_RETURN_ERROR;
  }

  for (uint32_t i = 0; i < fields.numItems && !failed; ++i) {
    const uint32_t id = fields.internalIdList[i];
    TQNameType name;
    uint32_t dataType = 0;
    TQDisplayInstanceList displays;
    memset(&displays, 0, sizeof displays);
    /* Only the name, the data type and the display instances are wanted;
       every other output is NULL. What comes back is ours to release. */
    code = TQGetField(&control, form, id, name, NULL, &dataType, NULL, NULL, NULL, NULL, NULL,
                      &displays, NULL, NULL, NULL, NULL, NULL, &status);
    if (code < TQ_RETURN_ERROR) {
      /* The label of the chosen view, else the one every view shares. */
      const char* label = NULL;
      for (uint32_t d = 0; d < displays.numItems && label == NULL; ++d) {
        if (displays.dInstanceList[d].vui == view) {
          label = propText(&displays.dInstanceList[d].props, PROP_LABEL);
        }
      }
      if (label == NULL) label = propText(&displays.commonProps, PROP_LABEL);
      printf("%10u  %-18s %-8s %s\n", (unsigned)id, name, typeName(dataType),
             label != NULL ? label : "");
    } else {
      failed = 1;
    }
    printStatus(&status);
    FreeTQDisplayInstanceList(&displays, 0);
    FreeTQStatusList(&status, 0);
  }
  FreeTQInternalIdList(&fields, 0);

  /* End the session: the server is told, and every connection closed. */
  TQTermination(&control, &status);
  FreeTQStatusList(&status, 0);
  return failed ? 1 : 0;
}
