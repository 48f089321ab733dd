// The words under which the result log prints enumerations (log_walk.h).
#include "api/log_walk.h"
#include "api/log_walk_actions.h"

namespace {

template <size_t N>
constexpr TQWords words(const TQWord (&items)[N], const char* undefinedFormat) {
  return TQWords{items, N, undefinedFormat};
}

constexpr TQWord kDataTypes[] = {
    {TQ_DATA_TYPE_NULL, "NULL"},         {TQ_DATA_TYPE_KEYWORD, "(keyword)"},
    {TQ_DATA_TYPE_INTEGER, "(integer)"}, {TQ_DATA_TYPE_REAL, "(real)"},
    {TQ_DATA_TYPE_CHAR, "(char)"},       {TQ_DATA_TYPE_DIARY, "(diary)"},
    {TQ_DATA_TYPE_ENUM, "(enumerated)"}, {TQ_DATA_TYPE_TIME, "(timestamp)"},
    {TQ_DATA_TYPE_BITMASK, "(bitmask)"}, {TQ_DATA_TYPE_BYTES, "(bytelist)"},
    {TQ_DATA_TYPE_DECIMAL, "(decimal)"}, {TQ_DATA_TYPE_ATTACH, "(attachment)"},
    {TQ_DATA_TYPE_ULONG, "(ulong)"},     {TQ_DATA_TYPE_COORDS, "(coordlist)"},
};
constexpr TQWord kQualifiers[] = {
    {TQ_COND_OP_NONE, "<none>"},
    {TQ_COND_OP_AND, "AND"},
    {TQ_COND_OP_OR, "OR"},
    {TQ_COND_OP_NOT, "NOT"},
    {TQ_COND_OP_REL_OP, "RELATIONAL OPERATION"},
};
constexpr TQWord kRelOps[] = {
    {TQ_REL_OP_EQUAL, "EQUAL"},
    {TQ_REL_OP_GREATER, "GREATER"},
    {TQ_REL_OP_GREATER_EQUAL, "GREATER_EQUAL"},
    {TQ_REL_OP_LESS, "LESS"},
    {TQ_REL_OP_LESS_EQUAL, "LESS_EQUAL"},
    {TQ_REL_OP_NOT_EQUAL, "NOT_EQUAL"},
    {TQ_REL_OP_LIKE, "LIKE"},
    {TQ_REL_OP_IN, "IN"},
};
constexpr TQWord kArithOps[] = {
    {TQ_ARITH_OP_ADD, "ADD"},           {TQ_ARITH_OP_SUBTRACT, "SUBTRACT"},
    {TQ_ARITH_OP_MULTIPLY, "MULTIPLY"}, {TQ_ARITH_OP_DIVIDE, "DIVIDE"},
    {TQ_ARITH_OP_MODULO, "MODULO"},     {TQ_ARITH_OP_NEGATE, "NEGATE (unary minus)"},
};
constexpr TQWord kOperands[] = {
    {TQ_FIELD, "FIELD"},           {TQ_VALUE, "VALUE"},
    {TQ_ARITHMETIC, "ARITHMETIC"}, {TQ_STAT_HISTORY, "STAT HISTORY"},
    {TQ_VALUE_SET, "VALUE SET"},   {TQ_FIELD_TRAN, "FIELD TRAN"},
    {TQ_FIELD_DB, "FIELD DB"},     {TQ_LOCAL_VARIABLE, "LOCAL VARIABLE"},
    {TQ_QUERY, "QUERY"},           {TQ_FIELD_CURRENT, "FIELD (current screen)"},
};
constexpr TQWord kStatHistory[] = {{TQ_STAT_HISTORY_USER, "USER"}, {TQ_STAT_HISTORY_TIME, "TIME"}};
constexpr TQWord kMultiValue[] = {{TQ_QUERY_VALUE_MULTI_ERROR, "ERROR"},
                                  {TQ_QUERY_VALUE_MULTI_FIRST, "FIRST"},
                                  {TQ_QUERY_VALUE_MULTI_SET, "SET"}};
constexpr TQWord kSort[] = {{TQ_SORT_ASCENDING, "ASCENDING"}, {TQ_SORT_DESCENDING, "DESCENDING"}};
constexpr TQWord kSchemaTypes[] = {{TQ_SCHEMA_NONE, "NONE"},
                                   {TQ_SCHEMA_REGULAR, "REGULAR"},
                                   {TQ_SCHEMA_JOIN, "JOIN"},
                                   {TQ_SCHEMA_VIEW, "VIEW"},
                                   {TQ_SCHEMA_DIALOG, "DIALOG"}};
constexpr TQWord kPermissions[] = {{TQ_PERMISSIONS_NONE, "NONE"},
                                   {TQ_PERMISSIONS_VIEW, "VIEW"},
                                   {TQ_PERMISSIONS_CHANGE, "CHANGE"}};
constexpr TQWord kAssignTypes[] = {
    {TQ_ASSIGN_TYPE_NONE, "NONE"},   {TQ_ASSIGN_TYPE_VALUE, "VALUE"},
    {TQ_ASSIGN_TYPE_FIELD, "FIELD"}, {TQ_ASSIGN_TYPE_PROCESS, "PROCESS"},
    {TQ_ASSIGN_TYPE_ARITH, "ARITH"}, {TQ_ASSIGN_TYPE_FUNCTION, "FUNCTION"},
    {TQ_ASSIGN_TYPE_DDE, "DDE"},     {TQ_ASSIGN_TYPE_SQL, "SQL"},
};
constexpr TQWord kFilterActions[] = {
    {TQ_FILTER_ACTION_NONE, "NONE"},
    {TQ_FILTER_ACTION_NOTIFY, "NOTIFY"},
    {TQ_FILTER_ACTION_MESSAGE, "MESSAGE"},
    {TQ_FILTER_ACTION_LOG, "LOG"},
    {TQ_FILTER_ACTION_FIELDS, "FIELDS"},
    {TQ_FILTER_ACTION_PROCESS, "PROCESS"},
    {TQ_FILTER_ACTION_FIELDP, "PUSH FIELDS"},
    {TQ_FILTER_ACTION_SQL, "SQL"},
    {TQ_FILTER_ACTION_GOTOACTION, "GOTO ACTION"},
};
constexpr TQWord kMessageTypes[] = {
    {TQ_MSG_NOTE, "NOTE"}, {TQ_MSG_WARNING, "WARNING"}, {TQ_MSG_ERROR, "ERROR"}};

}  // namespace

const TQWords kTQDataTypeWords = words(kDataTypes, "<undefined data type tag = %u>");
const TQWords kTQQualifierWords = words(kQualifiers, "<undefined operation = %u>");
const TQWords kTQRelOpWords = words(kRelOps, "<undefined operation = %u>");
const TQWords kTQArithOpWords = words(kArithOps, "<undefined operation = %u>");
const TQWords kTQOperandWords = words(kOperands, "<undefined tag value = %u>");
const TQWords kTQStatHistoryWords = words(kStatHistory, "<undefined user or time = %u>");
const TQWords kTQMultiValueWords = words(kMultiValue, "<undefined multi-match code = %u>");
const TQWords kTQSortWords = words(kSort, "<undefined sort order = %u>");
const TQWords kTQMessageTypeWords = words(kMessageTypes, "<unknown type>");
const TQWords kTQSchemaTypeWords = words(kSchemaTypes, "<undefined schema type = %u>");
const TQWords kTQPermissionWords = words(kPermissions, "<undefined permission = %u>");
const TQWords kTQAssignTypeWords = words(kAssignTypes, "<undefined assign type = %u>");
const TQWords kTQFilterActionWords = words(kFilterActions, "<undefined action = %u>");
