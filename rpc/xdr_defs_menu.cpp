// XDR routines of character menus (see xdr_defs.h). Sub-menus travel behind
// optional pointers, so the framework's nesting limit bounds a decode.
#include "rpc/xdr_base.h"
#include "rpc/xdr_defs.h"
#include "rpc/xdr_defs_util.h"
#include "rpc/xdr_records.h"

using tqdefs::fixed;
using tqx::Arm;
using tqx::erased;

namespace {

using MenuPtr = TQCharMenuStruct*;

bool_t childMenu(XDR* x, MenuPtr* menu) {
  return tqx::optional<TQCharMenuStruct, xdr_TQCharMenuStruct>(x, menu);
}

}  // namespace

// label fixed(31), item type, then: 1 value text(256); 2 the sub-menu.
bool_t xdr_TQCharMenuItemStruct(XDR* xdrs, TQCharMenuItemStruct* item) {
  static constexpr Arm arms[] = {
      {TQ_MENU_ITEM_NONE, TQ_MENU_ITEM_NONE, nullptr},
      {TQ_MENU_ITEM_VALUE, TQ_MENU_ITEM_VALUE, erased<char*, tqdefs::text<kTQWireLimitedText>>},
      {TQ_MENU_ITEM_MENU, TQ_MENU_ITEM_MENU, erased<MenuPtr, childMenu>},
  };
  return fixed(xdrs, item->label) && tqx::unionOf(xdrs, &item->itemType, &item->u, arms);
}

bool_t xdr_TQCharMenuList(XDR* xdrs, TQCharMenuList* items) {
  return tqx::list<TQCharMenuItemStruct, xdr_TQCharMenuItemStruct>(xdrs, &items->numItems,
                                                                   &items->charMenuList);
}

// schema fixed(31), server fixed(65), qualification, label and value field
// ids, sort-on-label flag.
bool_t xdr_TQCharMenuQueryStruct(XDR* xdrs, TQCharMenuQueryStruct* query) {
  return fixed(xdrs, query->schema) && fixed(xdrs, query->server) &&
         xdr_TQQualifierStruct(xdrs, &query->qualifier) && tqx::u32(xdrs, &query->labelFieldId) &&
         tqx::u32(xdrs, &query->valueFieldId) && tqx::uchar(xdrs, &query->sortOnLabel);
}

bool_t xdr_TQCharMenuFileStruct(XDR* xdrs, TQCharMenuFileStruct* file) {
  return tqx::u32(xdrs, &file->fileLocation) && tqdefs::unboundedText(xdrs, &file->filename);
}

bool_t xdr_TQCharMenuSQLStruct(XDR* xdrs, TQCharMenuSQLStruct* sql) {
  return fixed(xdrs, sql->server) && tqdefs::unboundedText(xdrs, &sql->sqlCommand) &&
         tqx::i32(xdrs, &sql->labelIndex) && tqx::i32(xdrs, &sql->valueIndex);
}

bool_t xdr_TQCharMenuStruct(XDR* xdrs, TQCharMenuStruct* menu) {
  static constexpr Arm arms[] = {
      {TQ_CHAR_MENU_NONE, TQ_CHAR_MENU_NONE, nullptr},
      {TQ_CHAR_MENU_LIST, TQ_CHAR_MENU_LIST, erased<TQCharMenuList, xdr_TQCharMenuList>},
      {TQ_CHAR_MENU_QUERY, TQ_CHAR_MENU_QUERY,
       erased<TQCharMenuQueryStruct, xdr_TQCharMenuQueryStruct>},
      {TQ_CHAR_MENU_FILE, TQ_CHAR_MENU_FILE,
       erased<TQCharMenuFileStruct, xdr_TQCharMenuFileStruct>},
      {TQ_CHAR_MENU_SQL, TQ_CHAR_MENU_SQL, erased<TQCharMenuSQLStruct, xdr_TQCharMenuSQLStruct>},
  };
  return tqx::unionOf(xdrs, &menu->menuType, &menu->u, arms);
}
