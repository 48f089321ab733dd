// The argument walk of call recording, written once per record type.
//
// A walk visits the fields of a record in parameter order and hands each to
// a visitor. Four visitors share every walk: the command-log writer (one
// value per line), the result-log printer (labels, headers, words), the
// command-log reader of the replay service (which fills the record it walks
// from the lines it reads) and the release of what that reader allocated.
// A visitor provides:
//
//   u32(label, uint32_t&)  i32(label, int32_t&)  real(label, double&)
//   boolean(label, uint8_t&)  text(label, char*&)  fixed(label, char*, size)
//   word(label, uint32_t&, words)       an enumeration: its number or word
//   tag(label, uint32_t&, words)        a union's tag: payload follows
//   endTag()                            the payload is over
//   marker(line)                        a fixed line of the command log
//   numbers(name, count, uint32_t*&)    a counted list of numbers
//   entryIds(label, TQEntryIdList&)     entry ids, shown joined with '|'
//   list(name, count, T*&, each)        a counted list of records
//   record(header, body)                a record with a header when printed
//   child(T*&, body)                    a sub-record reached by a pointer
//   hidden(uint32_t&, value)            a field that is not recorded; the
//                                       reader sets it to `value`
//   printed(body)                       a part that only the printer shows
//   changed(label, mask, bit, body)     a property a set call may change:
//                                       present when `bit` of `mask` is set
//   byteList(TQByteList&)               the bytes of a byte list
//
// A new record type gets one tqWalk overload here (or next to its
// operations); a new operation one row in log_rows.cpp.
#pragma once

#include <cstddef>
#include <cstdint>

#include "rpc/procedure_records.h"
#include "rpc/procedure_records_defs.h"
#include "tqlink.h"

struct TQWord {
  uint32_t value;
  const char* word;
};

// The words of an enumeration and the line of a value outside the table (a
// format that may show the value with %u).
struct TQWords {
  const TQWord* items;
  size_t count;
  const char* undefinedFormat;

  const char* find(uint32_t value) const {
    for (size_t i = 0; i < count; ++i) {
      if (items[i].value == value) return items[i].word;
    }
    return nullptr;
  }
};

extern const TQWords kTQDataTypeWords;
extern const TQWords kTQQualifierWords;
extern const TQWords kTQRelOpWords;
extern const TQWords kTQArithOpWords;
extern const TQWords kTQOperandWords;
extern const TQWords kTQStatHistoryWords;
extern const TQWords kTQMultiValueWords;
extern const TQWords kTQSortWords;
extern const TQWords kTQMessageTypeWords;

// ------------------------------------------------------------- values

template <class V>
void tqWalk(V& v, TQCoordList& x) {
  v.list("Coord", x.numItems, x.coords, [&](TQCoordStruct& c) {
    v.i32("X:", c.x);
    v.i32("Y:", c.y);
  });
}

template <class V>
void tqWalk(V& v, TQAttachStruct& x) {
  v.i32("Original Size:", x.originalSize);
  v.i32("Compressed Size:", x.compressedSize);
  v.text("Name:", x.name);
}

template <class V>
void tqWalk(V& v, TQValueStruct& x) {
  v.tag("Value: ", x.dataType, kTQDataTypeWords);
  switch (x.dataType) {
    case TQ_DATA_TYPE_KEYWORD:
      v.u32("", x.u.keyNum);
      break;
    case TQ_DATA_TYPE_INTEGER:
      v.i32("", x.u.intVal);
      break;
    case TQ_DATA_TYPE_REAL:
      v.real("", x.u.realVal);
      break;
    case TQ_DATA_TYPE_CHAR:
      v.text("", x.u.charVal);
      break;
    case TQ_DATA_TYPE_DIARY:
      v.text("", x.u.diaryVal);
      break;
    case TQ_DATA_TYPE_DECIMAL:
      v.text("", x.u.decimalVal);
      break;
    case TQ_DATA_TYPE_ENUM:
      v.u32("", x.u.enumVal);
      break;
    case TQ_DATA_TYPE_TIME:
      v.i32("", x.u.timeVal);
      break;
    case TQ_DATA_TYPE_BITMASK:
      v.u32("", x.u.maskVal);
      break;
    case TQ_DATA_TYPE_ULONG:
      v.u32("", x.u.ulongVal);
      break;
    case TQ_DATA_TYPE_BYTES:
      v.child(x.u.byteListVal, [&](TQByteList& bytes) { v.byteList(bytes); });
      break;
    case TQ_DATA_TYPE_COORDS:
      v.child(x.u.coordListVal, [&](TQCoordList& coords) { tqWalk(v, coords); });
      break;
    case TQ_DATA_TYPE_ATTACH:
      v.printed([&] {
        if (x.u.attachVal != nullptr) tqWalk(v, *x.u.attachVal);
      });
      break;
    default:
      break;
  }
  v.endTag();
}

template <class V>
void tqWalk(V& v, TQValueList& x) {
  v.list("Value", x.numItems, x.valueList, [&](TQValueStruct& value) { tqWalk(v, value); });
}

template <class V>
void tqWalk(V& v, TQValueListList& x) {
  v.list("Value List", x.numItems, x.valueListList,
         [&](TQValueList& values) { v.record("Value List:", [&] { tqWalk(v, values); }); });
}

template <class V>
void tqWalk(V& v, TQFieldValueStruct& x) {
  v.record("Field Value Struct:", [&] {
    v.u32("Field Id:", x.fieldId);
    tqWalk(v, x.value);
  });
}

template <class V>
void tqWalk(V& v, TQFieldValueList& x) {
  v.list("Field Value", x.numItems, x.fieldValueList,
         [&](TQFieldValueStruct& item) { tqWalk(v, item); });
}

template <class V>
void tqWalk(V& v, TQFieldValueListList& x) {
  v.list("Field Value List", x.numItems, x.valueListList,
         [&](TQFieldValueList& values) { tqWalk(v, values); });
}

// ------------------------------------------------- ids, names, entry lists

template <class V>
void tqWalk(V& v, TQEntryIdList& x) {
  v.entryIds("Entry Id :", x);
}

template <class V>
void tqWalk(V& v, TQEntryIdListList& x) {
  v.list("Entry Id List", x.numItems, x.entryIdListList,
         [&](TQEntryIdList& ids) { tqWalk(v, ids); });
}

template <class V>
void tqWalk(V& v, TQInternalIdList& x) {
  v.numbers("Id List", x.numItems, x.internalIdList);
}

template <class V>
void tqWalk(V& v, TQNameList& x) {
  v.list("Name", x.numItems, x.nameList,
         [&](TQNameType& name) { v.fixed("Name:", name, sizeof(TQNameType)); });
}

template <class V>
void tqWalk(V& v, TQEntryListStruct& x) {
  v.record("Entry List Struct:", [&] {
    tqWalk(v, x.entryId);
    v.text("Short Description:", x.shortDescription);
  });
}

template <class V>
void tqWalk(V& v, TQEntryListList& x) {
  v.list("Entry List", x.numItems, x.entryList, [&](TQEntryListStruct& item) { tqWalk(v, item); });
}

template <class V>
void tqWalk(V& v, TQEntryListFieldList& x) {
  v.list("Entry List Field", x.numItems, x.fieldsList, [&](TQEntryListFieldStruct& item) {
    v.record("Entry List Field Struct:", [&] {
      v.u32("Field Id:", item.fieldId);
      v.u32("Column Width:", item.columnWidth);
      v.fixed("Separator:", item.separator, sizeof item.separator);
    });
  });
}

template <class V>
void tqWalk(V& v, TQSortList& x) {
  v.list("Sort", x.numItems, x.sortList, [&](TQSortStruct& item) {
    v.record("Sort Struct:", [&] {
      v.u32("Field Id:", item.fieldId);
      v.word("Sort Order:", item.order, kTQSortWords);
    });
  });
}

// --------------------------------------------------- qualification tree

template <class V>
void tqWalk(V& v, TQQualifierStruct& x);

template <class V>
void tqWalk(V& v, TQFieldValueOrArithStruct& x);

template <class V>
void tqWalk(V& v, TQArithOpStruct& x) {
  v.record("Arithmetic Operation:", [&] {
    v.word("Operation:", x.operation, kTQArithOpWords);
    if (x.operation != TQ_ARITH_OP_NEGATE) tqWalk(v, x.left);
    tqWalk(v, x.right);
  });
}

template <class V>
void tqWalk(V& v, TQRelOpStruct& x) {
  v.record("Relational Operation:", [&] {
    v.word("Operation:", x.operation, kTQRelOpWords);
    tqWalk(v, x.left);
    tqWalk(v, x.right);
  });
}

template <class V>
void tqWalk(V& v, TQQueryValueStruct& x) {
  v.record("Query Value Struct:", [&] {
    v.fixed("Schema:", x.schema, sizeof x.schema);
    v.fixed("Server:", x.server, sizeof x.server);
    v.child(x.qualifier, [&](TQQualifierStruct& q) { tqWalk(v, q); });
    v.u32("Value Field Id:", x.valueFieldId);
    v.word("Multi-Match:", x.multiValueCode, kTQMultiValueWords);
  });
}

template <class V>
void tqWalk(V& v, TQFieldValueOrArithStruct& x) {
  v.record("Field/Value/Arithmetic operand:", [&] {
    v.tag("Tag:", x.tag, kTQOperandWords);
    switch (x.tag) {
      case TQ_FIELD:
      case TQ_FIELD_TRAN:
      case TQ_FIELD_DB:
      case TQ_FIELD_CURRENT:
        v.u32("Field Id:", x.u.fieldId);
        break;
      case TQ_LOCAL_VARIABLE:
        v.u32("Variable:", x.u.variable);
        break;
      case TQ_VALUE:
        tqWalk(v, x.u.value);
        break;
      case TQ_ARITHMETIC:
        v.child(x.u.arithOp, [&](TQArithOpStruct& op) { tqWalk(v, op); });
        break;
      case TQ_STAT_HISTORY:
        v.u32("Enum Index:", x.u.statHistory.enumIndex);
        v.word("User or Time:", x.u.statHistory.userOrTime, kTQStatHistoryWords);
        break;
      case TQ_VALUE_SET:
        tqWalk(v, x.u.valueSet);
        break;
      case TQ_QUERY:
        v.child(x.u.queryValue, [&](TQQueryValueStruct& q) { tqWalk(v, q); });
        break;
      default:
        break;
    }
    v.endTag();
  });
}

template <class V>
void tqWalk(V& v, TQQualifierStruct& x) {
  v.record("Qualifier Struct:", [&] {
    v.tag("Operation:", x.operation, kTQQualifierWords);
    switch (x.operation) {
      case TQ_COND_OP_AND:
      case TQ_COND_OP_OR:
        v.child(x.u.andor.left, [&](TQQualifierStruct& q) { tqWalk(v, q); });
        v.child(x.u.andor.right, [&](TQQualifierStruct& q) { tqWalk(v, q); });
        break;
      case TQ_COND_OP_NOT:
        v.child(x.u.negated, [&](TQQualifierStruct& q) { tqWalk(v, q); });
        break;
      case TQ_COND_OP_REL_OP:
        v.child(x.u.relOp, [&](TQRelOpStruct& op) { tqWalk(v, op); });
        break;
      default:
        break;
    }
    v.endTag();
  });
}

// ------------------------------------------------------------ statuses

template <class V>
void tqWalk(V& v, TQStatusList& x) {
  v.list("Status", x.numItems, x.statusList, [&](TQStatusStruct& item) {
    v.record("Status Struct :", [&] {
      v.word("Message type :", item.messageType, kTQMessageTypeWords);
      v.i32("Message number :", item.messageNumber);
      v.text("Message :", item.messageText);
      v.text("Appended :", item.appendedText);
    });
  });
}

// ------------------------------------------------------ server settings

template <class V>
void tqWalk(V& v, TQServerInfoRequestList& x) {
  v.numbers("Server Info Request List", x.numItems, x.requestList);
}

template <class V>
void tqWalk(V& v, TQServerInfoList& x) {
  v.list("Server Info", x.numItems, x.serverInfoList, [&](TQServerInfoStruct& item) {
    v.record("Server Info Struct:", [&] {
      v.u32("Operation:", item.operation);
      tqWalk(v, item.value);
    });
  });
}

// ------------------------------------------------------------ schemas

extern const TQWords kTQSchemaTypeWords;
extern const TQWords kTQPermissionWords;

template <class V>
void tqWalk(V& v, TQCompoundSchema& x) {
  v.record("Compound Schema Info:", [&] {
    v.tag("Schema Type:", x.schemaType, kTQSchemaTypeWords);
    v.endTag();
    if (x.schemaType == TQ_SCHEMA_JOIN) {
      v.fixed("Member A:", x.u.join.memberA, sizeof x.u.join.memberA);
      v.fixed("Member B:", x.u.join.memberB, sizeof x.u.join.memberB);
      tqWalk(v, x.u.join.joinQual);
      v.u32("Option:", x.u.join.option);
    } else if (x.schemaType == TQ_SCHEMA_VIEW) {
      v.fixed("Table Name:", x.u.view.tableName, sizeof x.u.view.tableName);
      v.fixed("Key Field:", x.u.view.keyField, sizeof x.u.view.keyField);
      v.text("View Qualification:", x.u.view.viewQual);
    }
  });
}

template <class V>
void tqWalk(V& v, TQPermissionList& x) {
  v.list("Permission", x.numItems, x.permissionList, [&](TQPermissionStruct& item) {
    v.record("Permission Struct:", [&] {
      v.u32("Group id:", item.groupId);
      v.word("Permissions: ", item.permissions, kTQPermissionWords);
    });
  });
}

template <class V>
void tqWalk(V& v, TQIndexList& x) {
  v.list("Index", x.numItems, x.indexList, [&](TQIndexStruct& item) {
    v.record("Index Struct:", [&] {
      v.u32("Number of Fields:", item.numFields);
      const uint32_t shown =
          item.numFields < TQ_MAX_INDEX_FIELDS ? item.numFields : TQ_MAX_INDEX_FIELDS;
      for (uint32_t i = 0; i < shown; ++i)
        v.u32("Field Id:", item.fieldIds[i]);
      v.boolean("Unique flag:", item.unique);
    });
  });
}

// ------------------------------------------------------ character menus

template <class V>
void tqWalk(V& v, TQCharMenuStruct& x);

template <class V>
void tqWalk(V& v, TQCharMenuList& x) {
  v.list("Character Menu", x.numItems, x.charMenuList, [&](TQCharMenuItemStruct& item) {
    v.record("Char Menu Item Struct:", [&] {
      v.fixed("Label:", item.label, sizeof item.label);
      v.u32("Item Type:", item.itemType);
      if (item.itemType == TQ_MENU_ITEM_VALUE) {
        v.text("Value:", item.u.value);
      } else if (item.itemType == TQ_MENU_ITEM_MENU) {
        v.child(item.u.childMenu, [&](TQCharMenuStruct& menu) { tqWalk(v, menu); });
      }
    });
  });
}

template <class V>
void tqWalk(V& v, TQCharMenuStruct& x) {
  v.record("Char Menu Struct:", [&] {
    v.u32("Menu Type:", x.menuType);
    switch (x.menuType) {
      case TQ_CHAR_MENU_LIST:
        tqWalk(v, x.u.menuList);
        break;
      case TQ_CHAR_MENU_QUERY:
        v.record("Char Menu Query Struct:", [&] {
          v.fixed("Schema:", x.u.menuQuery.schema, sizeof x.u.menuQuery.schema);
          v.fixed("Server:", x.u.menuQuery.server, sizeof x.u.menuQuery.server);
          tqWalk(v, x.u.menuQuery.qualifier);
          v.u32("Label Field:", x.u.menuQuery.labelFieldId);
          v.u32("Value Field:", x.u.menuQuery.valueFieldId);
          v.boolean("Sort On Label:", x.u.menuQuery.sortOnLabel);
        });
        break;
      case TQ_CHAR_MENU_FILE:
        v.u32("File Location:", x.u.menuFile.fileLocation);
        v.text("File Name:", x.u.menuFile.filename);
        break;
      case TQ_CHAR_MENU_SQL:
        v.record("Char Menu SQL Struct:", [&] {
          v.fixed("Server:", x.u.menuSQL.server, sizeof x.u.menuSQL.server);
          v.text("SQL Command:", x.u.menuSQL.sqlCommand);
          v.i32("Label Index:", x.u.menuSQL.labelIndex);
          v.i32("Value Index:", x.u.menuSQL.valueIndex);
        });
        break;
      default:
        break;
    }
  });
}
