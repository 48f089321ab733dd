// XDR routines of the character-menu, filter, active-link and escalation
// procedures 16 to 25, 38 to 42, 45, 48 to 52 and 55 (see xdr_proc.h).
#include "rpc/xdr_base.h"
#include "rpc/xdr_defs.h"
#include "rpc/xdr_proc.h"
#include "rpc/xdr_proc_util.h"

using tqdefs::fixed;
using tqproc::header;
using tqproc::name;
using tqproc::status;

namespace {

// query, actions, else-actions: the tail that filters and escalations share
// (filter action lists) and active links have with their own action lists.
template <class R>
bool_t filterRules(XDR* x, R* r) {
  return xdr_TQQualifierStruct(x, &r->query) && xdr_TQFilterActionList(x, &r->actions) &&
         xdr_TQFilterActionList(x, &r->elseActions);
}

template <class R>
bool_t activeLinkRules(XDR* x, R* r) {
  return xdr_TQQualifierStruct(x, &r->query) && xdr_TQActiveLinkActionList(x, &r->actions) &&
         xdr_TQActiveLinkActionList(x, &r->elseActions);
}

// group ids, execute mask, control field, focus field, enable.
template <class R>
bool_t activeLinkSettings(XDR* x, R* r) {
  return xdr_TQInternalIdList(x, &r->groups) && tqx::u32(x, &r->executeMask) &&
         tqx::u32(x, &r->controlField) && tqx::u32(x, &r->focusField) && tqx::u32(x, &r->enable);
}

// The name, changed mask and new name that start every set record.
template <class A>
bool_t setStart(XDR* x, A* a) {
  return header(x, &a->header) && name(x, &a->name) && tqx::u32(x, &a->changedMask) &&
         name(x, &a->newName);
}

template <class A>
bool_t createStart(XDR* x, A* a) {
  return header(x, &a->header) && name(x, &a->name);
}

}  // namespace

// ---------------------------------------------------------- character menus

bool_t xdr_TQGetCharMenuResult6(XDR* xdrs, TQGetCharMenuResult* result) {
  return header(xdrs, &result->header) && tqx::u32(xdrs, &result->refreshCode) &&
         xdr_TQCharMenuStruct(xdrs, &result->menu) &&
         xdr_TQCommonAttributes(xdrs, &result->common) && status(xdrs, &result->status);
}

bool_t xdr_TQSetCharMenuArgs6(XDR* xdrs, TQSetCharMenuArgs* args) {
  return setStart(xdrs, args) && tqx::u32(xdrs, &args->refreshCode) &&
         xdr_TQCharMenuStruct(xdrs, &args->menu) && xdr_TQCommonChanges(xdrs, &args->common);
}

bool_t xdr_TQCreateCharMenuArgs6(XDR* xdrs, TQCreateCharMenuArgs* args) {
  return createStart(xdrs, args) && tqx::u32(xdrs, &args->refreshCode) &&
         xdr_TQCharMenuStruct(xdrs, &args->menu) && xdr_TQCommonChanges(xdrs, &args->common);
}

bool_t xdr_TQMenuFileArgs6(XDR* xdrs, TQMenuFileArgs* args) {
  return header(xdrs, &args->header) && tqdefs::unboundedText(xdrs, &args->filename);
}

bool_t xdr_TQMenuFileResult6(XDR* xdrs, TQMenuFileResult* result) {
  return header(xdrs, &result->header) && tqdefs::unboundedText(xdrs, &result->text) &&
         status(xdrs, &result->status);
}

bool_t xdr_TQMenuQueryArgs6(XDR* xdrs, TQMenuQueryArgs* args) {
  return header(xdrs, &args->header) && xdr_TQCharMenuQueryStruct(xdrs, &args->query);
}

bool_t xdr_TQMenuQueryResult6(XDR* xdrs, TQMenuQueryResult* result) {
  return header(xdrs, &result->header) && xdr_TQCharMenuList(xdrs, &result->items) &&
         status(xdrs, &result->status);
}

// ----------------------------------------------------------------- filters

bool_t xdr_TQGetFilterResult6(XDR* xdrs, TQGetFilterResult* result) {
  return header(xdrs, &result->header) && tqx::u32(xdrs, &result->order) &&
         fixed(xdrs, result->schema) && tqx::u32(xdrs, &result->operations) &&
         tqx::u32(xdrs, &result->enable) && filterRules(xdrs, result) &&
         xdr_TQCommonAttributes(xdrs, &result->common) && status(xdrs, &result->status);
}

bool_t xdr_TQSetFilterArgs6(XDR* xdrs, TQSetFilterArgs* args) {
  return setStart(xdrs, args) && tqx::u32(xdrs, &args->order) && name(xdrs, &args->schema) &&
         tqx::u32(xdrs, &args->operations) && tqx::u32(xdrs, &args->enable) &&
         filterRules(xdrs, args) && xdr_TQCommonChanges(xdrs, &args->common);
}

bool_t xdr_TQCreateFilterArgs6(XDR* xdrs, TQCreateFilterArgs* args) {
  return createStart(xdrs, args) && tqx::u32(xdrs, &args->order) && name(xdrs, &args->schema) &&
         tqx::u32(xdrs, &args->operations) && tqx::u32(xdrs, &args->enable) &&
         filterRules(xdrs, args) && xdr_TQCommonChanges(xdrs, &args->common);
}

// ------------------------------------------------------------ active links

bool_t xdr_TQGetActiveLinkResult6(XDR* xdrs, TQGetActiveLinkResult* result) {
  return header(xdrs, &result->header) && tqx::u32(xdrs, &result->order) &&
         fixed(xdrs, result->schema) && activeLinkSettings(xdrs, result) &&
         activeLinkRules(xdrs, result) && xdr_TQCommonAttributes(xdrs, &result->common) &&
         status(xdrs, &result->status);
}

bool_t xdr_TQSetActiveLinkArgs6(XDR* xdrs, TQSetActiveLinkArgs* args) {
  return setStart(xdrs, args) && tqx::u32(xdrs, &args->order) && name(xdrs, &args->schema) &&
         activeLinkSettings(xdrs, args) && activeLinkRules(xdrs, args) &&
         xdr_TQCommonChanges(xdrs, &args->common);
}

bool_t xdr_TQCreateActiveLinkArgs6(XDR* xdrs, TQCreateActiveLinkArgs* args) {
  return createStart(xdrs, args) && tqx::u32(xdrs, &args->order) && name(xdrs, &args->schema) &&
         activeLinkSettings(xdrs, args) && activeLinkRules(xdrs, args) &&
         xdr_TQCommonChanges(xdrs, &args->common);
}

// ------------------------------------------------------------- escalations

bool_t xdr_TQGetEscalationResult6(XDR* xdrs, TQGetEscalationResult* result) {
  return header(xdrs, &result->header) && xdr_TQEscalationTmStruct(xdrs, &result->time) &&
         fixed(xdrs, result->schema) && tqx::u32(xdrs, &result->enable) &&
         filterRules(xdrs, result) && xdr_TQCommonAttributes(xdrs, &result->common) &&
         status(xdrs, &result->status);
}

bool_t xdr_TQSetEscalationArgs6(XDR* xdrs, TQSetEscalationArgs* args) {
  return setStart(xdrs, args) && xdr_TQEscalationTmStruct(xdrs, &args->time) &&
         name(xdrs, &args->schema) && tqx::u32(xdrs, &args->enable) && filterRules(xdrs, args) &&
         xdr_TQCommonChanges(xdrs, &args->common);
}

bool_t xdr_TQCreateEscalationArgs6(XDR* xdrs, TQCreateEscalationArgs* args) {
  return createStart(xdrs, args) && xdr_TQEscalationTmStruct(xdrs, &args->time) &&
         name(xdrs, &args->schema) && tqx::u32(xdrs, &args->enable) && filterRules(xdrs, args) &&
         xdr_TQCommonChanges(xdrs, &args->common);
}
