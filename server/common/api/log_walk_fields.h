// The walks of the parts of field and view definitions: the field's
// mapping into a join or view schema, its limits by data type, and the
// display properties of views and of a field's display instances.
#pragma once

#include "api/log_walk.h"

template <class V>
void tqWalk(V& v, TQFieldMappingStruct& x) {
  v.record("Field Mapping Struct:", [&] {
    v.u32("Field Type:", x.fieldType);
    if (x.fieldType == TQ_FIELD_MAPPING_JOIN) {
      v.u32("Schema Index:", x.u.join.schemaIndex);
      v.u32("Real Id:", x.u.join.realId);
    } else if (x.fieldType == TQ_FIELD_MAPPING_VIEW) {
      v.fixed("Field Name:", x.u.view.fieldName, sizeof x.u.view.fieldName);
    }
  });
}

template <class V>
void tqWalk(V& v, TQFieldLimitStruct& x) {
  v.record("Field Limit Struct:", [&] {
    v.u32("Data Type:", x.dataType);
    auto& u = x.u;
    switch (x.dataType) {
      case TQ_DATA_TYPE_INTEGER:
        v.i32("Low range:", u.intLimits.rangeLow);
        v.i32("High range:", u.intLimits.rangeHigh);
        break;
      case TQ_DATA_TYPE_REAL:
        v.real("Low range:", u.realLimits.rangeLow);
        v.real("High range:", u.realLimits.rangeHigh);
        v.i32("Precision:", u.realLimits.precision);
        break;
      case TQ_DATA_TYPE_CHAR:
        v.u32("Maximum length:", u.charLimits.maxLength);
        v.u32("Menu style:", u.charLimits.menuStyle);
        v.u32("Match operation:", u.charLimits.qbeMatchOperation);
        v.fixed("Character menu:", u.charLimits.charMenu, sizeof u.charLimits.charMenu);
        v.text("Pattern:", u.charLimits.pattern);
        v.u32("FullText options:", u.charLimits.fullTextOptions);
        break;
      case TQ_DATA_TYPE_DIARY:
        v.u32("FullText options:", u.diaryLimits.fullTextOptions);
        break;
      case TQ_DATA_TYPE_ENUM:
        tqWalk(v, u.enumLimits);
        break;
      case TQ_DATA_TYPE_BITMASK:
        tqWalk(v, u.maskLimits);
        break;
      case TQ_DATA_TYPE_DECIMAL:
        v.text("Low range:", u.decimalLimits.rangeLow);
        v.text("High range:", u.decimalLimits.rangeHigh);
        v.i32("Precision:", u.decimalLimits.precision);
        break;
      case TQ_DATA_TYPE_ATTACH:
        v.u32("Maximum size:", u.attachLimits.maxSize);
        v.u32("Attachment type:", u.attachLimits.attachType);
        break;
      case TQ_DATA_TYPE_TABLE:
        v.u32("Number of columns:", u.tableLimits.numColumns);
        tqWalk(v, u.tableLimits.qualifier);
        v.u32("Max Retrieve:", u.tableLimits.maxRetrieve);
        v.fixed("Schema:", u.tableLimits.schema, sizeof u.tableLimits.schema);
        v.fixed("Server:", u.tableLimits.server, sizeof u.tableLimits.server);
        break;
      case TQ_DATA_TYPE_COLUMN:
        v.u32("Parent:", u.columnLimits.parent);
        v.u32("Data field:", u.columnLimits.dataField);
        v.u32("Column length:", u.columnLimits.colLength);
        break;
      default:
        break;
    }
  });
}

template <class V>
void tqWalk(V& v, TQPropList& x) {
  v.list("Property", x.numItems, x.props, [&](TQPropStruct& p) {
    v.record("Prop Struct:", [&] {
      v.u32("Prop Tag:", p.propertyTag);
      tqWalk(v, p.value);
    });
  });
}

template <class V>
void tqWalk(V& v, TQDisplayInstanceList& x) {
  v.record("Display InstanceList:", [&] {
    tqWalk(v, x.commonProps);
    v.list("Display Instance", x.numItems, x.dInstanceList, [&](TQDisplayInstanceStruct& d) {
      v.record("Display Instance Struct:", [&] {
        v.u32("VUI Id:", d.vui);
        tqWalk(v, d.props);
      });
    });
  });
}
