// Checks of character menus and their items, down through the sub-menus.
#include "api/parmchck_core.h"

using namespace parmchck;

namespace {

constexpr uint32_t kMaxMenuDepth = TQ_MAX_MENU_LEVELS;  // depth of the deepest sub-menu
constexpr size_t kMaxMenuValue = 255;
constexpr size_t kMaxMenuFileName = 255;

uint32_t checkMenuItem(TQCharMenuItemStruct& item, uint32_t depth, TQStatusList* status) {
  if (checkName(item.label, 0, status) >= 2) return failAfter(status, kTQErrBadMenuItem);
  switch (item.itemType) {
    case TQ_MENU_ITEM_VALUE:
      if (item.u.value == nullptr || tqParmEncodedLength(item.u.value) > kMaxMenuValue) {
        return fail(status, kTQErrBadMenuItem);
      }
      return 0;
    case TQ_MENU_ITEM_MENU:
      return tqCheckCharMenu(item.u.childMenu, 0, depth + 1, status);
    default:
      return fail(status, kTQErrBadMenuItemType);
  }
}

uint32_t checkMenuList(TQCharMenuList& list, uint32_t depth, TQStatusList* status) {
  if (list.numItems == 0) return fail(status, kTQErrBadCharMenu);
  if (nullArray(list.numItems, list.charMenuList)) return fail(status, kTQErrNullArray);
  if (list.numItems > TQ_MAX_MENU_ITEMS) return fail(status, kTQErrTooManyMenuItems);
  for (uint32_t i = 0; i < list.numItems; ++i) {
    uint32_t result = checkMenuItem(list.charMenuList[i], depth, status);
    if (result >= 2) return result;
  }
  return 0;
}

uint32_t checkMenuQuery(TQCharMenuQueryStruct& query, TQStatusList* status) {
  if (checkName(query.schema, 0, status) >= 2 || badServerName(query.server) ||
      tqCheckQualifier(&query.qualifier, 1, status) >= 2) {
    return failAfter(status, kTQErrBadMenuItem);
  }
  if (query.labelFieldId == 0 || query.valueFieldId == 0) {
    failCode(status, kTQErrBadFieldId,
             query.labelFieldId == 0 ? query.labelFieldId : query.valueFieldId);
    return failAfter(status, kTQErrBadMenuItem);
  }
  return 0;
}

uint32_t checkMenuFile(const TQCharMenuFileStruct& file, TQStatusList* status) {
  if (file.fileLocation != TQ_MENU_FILE_SERVER && file.fileLocation != TQ_MENU_FILE_CLIENT) {
    return fail(status, kTQErrBadMenuFileLocation);
  }
  return checkText(file.filename,
                   TextRule{kMaxMenuFileName, kTQErrBadMenuFileName, kTQErrBadMenuFileName},
                   status);
}

uint32_t checkMenuSql(const TQCharMenuSQLStruct& sql, TQStatusList* status) {
  if (badServerName(sql.server) || isEmpty(sql.sqlCommand) || sql.labelIndex == 0 ||
      sql.valueIndex == 0) {
    return fail(status, kTQErrBadMenuItem);
  }
  return 0;
}

}  // namespace

uint32_t tqCheckCharMenu(TQCharMenuStruct* menu, TQBoolean allowEmpty, uint32_t depth,
                         TQStatusList* status) {
  // Tested first, so that the depth also bounds the walk of a menu that
  // (wrongly) contains itself.
  if (depth > kMaxMenuDepth) return fail(status, kTQErrMenuTooDeep);
  if (menu == nullptr) return allowEmpty ? 0 : fail(status, kTQErrBadCharMenu);
  switch (menu->menuType) {
    case TQ_CHAR_MENU_NONE:
      return 0;
    case TQ_CHAR_MENU_LIST:
      return checkMenuList(menu->u.menuList, depth, status);
    case TQ_CHAR_MENU_QUERY:
      return checkMenuQuery(menu->u.menuQuery, status);
    case TQ_CHAR_MENU_FILE:
      return checkMenuFile(menu->u.menuFile, status);
    case TQ_CHAR_MENU_SQL:
      return checkMenuSql(menu->u.menuSQL, status);
    default:
      return fail(status, kTQErrBadMenuType);
  }
}
