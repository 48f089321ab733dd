// The demo catalogue and the parse helper of the in-process tests.
#include "parse_fixture.h"

#include "qualifier_text.h"

namespace parsetest {

namespace {

TQParseField field(uint32_t id, uint32_t type, const char* label,
                   std::vector<std::string> names = {}) {
  TQParseField f;
  f.fieldId = id;
  f.dataType = type;
  std::snprintf(f.label, sizeof f.label, "%s", label);
  f.enumNames = std::move(names);
  return f;
}

void serverKeyword(void*, uint32_t keyword, std::string* value) {
  *value = keyword == kTQKeywordGroups ? "Admin Staff" : "SQLite 3 ";
}

}  // namespace

const TQParseCatalogue& demoCatalogue() {
  static const TQParseCatalogue catalogue = [] {
    TQParseCatalogue c;
    c.fields = {
        field(1, TQ_DATA_TYPE_CHAR, "Request ID"),
        field(2, TQ_DATA_TYPE_CHAR, "Submitter"),
        field(3, TQ_DATA_TYPE_TIME, "Create Date"),
        field(7, TQ_DATA_TYPE_ENUM, "Status", {"New", "Open", "Closed"}),
        field(8, TQ_DATA_TYPE_CHAR, "Short Description"),
        field(15, TQ_DATA_TYPE_CHAR, "Status History"),
        field(102, TQ_DATA_TYPE_INTEGER, "a"),
        field(103, TQ_DATA_TYPE_INTEGER, "b"),
        field(104, TQ_DATA_TYPE_INTEGER, "c"),
        field(110, TQ_DATA_TYPE_TIME, "Submit Date"),
        field(120, TQ_DATA_TYPE_ENUM, "Kind", {"Bug", "Feature"}),
        field(121, TQ_DATA_TYPE_CHAR, "It's"),
        field(122, TQ_DATA_TYPE_CHAR, "Order"),
    };
    return c;
  }();
  return catalogue;
}

TQParseContext demoContext(const TQParseCatalogue& catalogue) {
  TQParseContext context;
  context.catalogue = &catalogue;
  context.schema = "Demo";
  context.server = "localhost";
  context.user = "joe";
  context.viewLabel = "Default";
  context.lastEntryId = "000000000000042";
  context.lastMatchCount = 7;
  context.serverKeyword = serverKeyword;
  return context;
}

Parsed parse(const char* text, const TQParseContext& context) {
  TQQualifierStruct q{};
  TQStatusList status{};
  Parsed out;
  out.code = tqParseQualification(context, text, &q, &status);
  out.tree = qualifierText(q);
  if (status.numItems > 0) {
    out.number = status.statusList[0].messageNumber;
    if (status.statusList[0].appendedText != nullptr) {
      out.appended = status.statusList[0].appendedText;
    }
  }
  FreeTQQualifierStruct(&q, 0);
  FreeTQStatusList(&status, 0);
  return out;
}

}  // namespace parsetest
