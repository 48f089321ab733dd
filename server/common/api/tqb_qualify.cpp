// TQLoadTQQualifierStruct: a qualification text as a tree. The schema's
// field catalogue (ids, types, the chosen view's labels, enumeration names)
// is read from the server on every call through the definition operations
// and handed to the parser; the keywords that need the server (GROUPS,
// DATABASE) are asked for only when a text uses them.
#include <cstring>
#include <string>

#include "api/parmchck.h"
#include "api/tqb_frame.h"
#include "share/apisrv/error.h"
#include "share/useapi/parse/parse.h"

namespace {

constexpr const char* kOperationName = "TQLoadTQQualifierStruct";
constexpr uint32_t kDataFields = 1;      // field-type mask of TQGetListField
constexpr uint32_t kPropertyLabel = 20;  // a view's or a field display's label
constexpr uint32_t kPropertyDefaultView = 161;
constexpr uint32_t kServerInfoDatabase[] = {1, 27};
constexpr size_t kMaxKeywordList = 255;

// Runs one call of an operation with a status list of its own, whose
// statuses then join the caller's.
template <class Call>
uint32_t withOwnStatus(TQStatusList* status, Call&& call) {
  TQStatusList own{};
  const uint32_t code = call(&own);
  TQMergeStatus(&own, status, status);
  return code;
}

// The character value of the first property with a tag, or NULL.
const char* textProperty(const TQPropList& props, uint32_t tag) {
  for (uint32_t i = 0; i < props.numItems && props.props != nullptr; ++i) {
    const TQValueStruct& v = props.props[i].value;
    if (props.props[i].propertyTag == tag) {
      return v.dataType == TQ_DATA_TYPE_CHAR ? v.u.charVal : nullptr;
    }
  }
  return nullptr;
}

bool isDefaultView(const TQPropList& props) {
  for (uint32_t i = 0; i < props.numItems && props.props != nullptr; ++i) {
    const TQValueStruct& v = props.props[i].value;
    if (props.props[i].propertyTag == kPropertyDefaultView) {
      return v.dataType == TQ_DATA_TYPE_ENUM && v.u.enumVal == 1;
    }
  }
  return false;
}

struct ChosenView {
  bool any = false;  // the schema has a view
  uint32_t id = 0;
  std::string label;
};

// The view whose label is the display tag, else the default view, else the
// first one.
uint32_t chooseView(TQControlStruct* control, const char* schema, const char* displayTag,
                    ChosenView* view, TQStatusList* status) {
  TQInternalIdList ids{};
  uint32_t code = withOwnStatus(
      status, [&](TQStatusList* own) { return TQGetListVUI(control, schema, 0, &ids, own); });
  bool defaultSeen = false;
  for (uint32_t i = 0; code < TQ_RETURN_ERROR && i < ids.numItems; ++i) {
    const uint32_t id = ids.internalIdList[i];
    TQPropList props{};
    code = withOwnStatus(status, [&](TQStatusList* own) {
      return TQGetVUI(control, schema, id, nullptr, &props, nullptr, nullptr, nullptr, nullptr,
                      nullptr, own);
    });
    if (code >= TQ_RETURN_ERROR) {
      FreeTQPropList(&props, 0);
      code = tqOutOfMemory(status);
      break;
    }
    const char* label = textProperty(props, kPropertyLabel);
    const std::string text = label == nullptr ? std::string() : label;
    const bool isDefault = isDefaultView(props);
    FreeTQPropList(&props, 0);
    if (i == 0 || (isDefault && !defaultSeen)) {
      view->any = true;
      view->id = id;
      view->label = text;
      defaultSeen = defaultSeen || isDefault;
    }
    if (displayTag != nullptr && displayTag[0] != '\0' && text == displayTag) {
      view->id = id;
      view->label = text;
      break;
    }
  }
  FreeTQInternalIdList(&ids, 0);
  return code;
}

// A field's label: its display's label in the chosen view, else the common
// one, else its name.
const char* fieldLabel(const TQDisplayInstanceList& display, const ChosenView& view,
                       const char* name) {
  for (uint32_t i = 0; view.any && i < display.numItems && display.dInstanceList != nullptr; ++i) {
    if (display.dInstanceList[i].vui != view.id) continue;
    if (const char* label = textProperty(display.dInstanceList[i].props, kPropertyLabel)) {
      return label;
    }
  }
  const char* common = textProperty(display.commonProps, kPropertyLabel);
  return common != nullptr ? common : name;
}

uint32_t readField(TQControlStruct* control, const char* schema, uint32_t id,
                   const ChosenView& view, TQParseCatalogue* catalogue, TQStatusList* status) {
  TQNameType name = {};
  uint32_t dataType = 0;
  TQFieldLimitStruct limit{};
  TQDisplayInstanceList display{};
  const uint32_t code = withOwnStatus(status, [&](TQStatusList* own) {
    return TQGetField(control, schema, id, name, nullptr, &dataType, nullptr, nullptr, nullptr,
                      nullptr, &limit, &display, nullptr, nullptr, nullptr, nullptr, nullptr, own);
  });
  if (code < TQ_RETURN_ERROR) {
    TQParseField field;
    field.fieldId = id;
    field.dataType = dataType;
    tqCopyTextCut(field.label, fieldLabel(display, view, name), TQ_MAX_NAME_SIZE);
    if (dataType == TQ_DATA_TYPE_ENUM && limit.dataType == TQ_DATA_TYPE_ENUM) {
      const TQNameList& names = limit.u.enumLimits;
      for (uint32_t i = 0; i < names.numItems && names.nameList != nullptr; ++i) {
        field.enumNames.emplace_back(names.nameList[i]);
      }
    }
    catalogue->fields.push_back(std::move(field));
  }
  FreeTQFieldLimitStruct(&limit, 0);
  FreeTQDisplayInstanceList(&display, 0);
  return code;
}

// The field catalogue of the schema, and the chosen view's label.
uint32_t readCatalogue(TQControlStruct* control, const char* schema, const char* displayTag,
                       TQParseCatalogue* catalogue, std::string* viewLabel, TQStatusList* status) {
  TQInternalIdList ids{};
  uint32_t code = withOwnStatus(status, [&](TQStatusList* own) {
    return TQGetListField(control, schema, kDataFields, 0, &ids, own);
  });
  ChosenView view;
  if (code < TQ_RETURN_ERROR) code = chooseView(control, schema, displayTag, &view, status);
  for (uint32_t i = 0; code < TQ_RETURN_ERROR && i < ids.numItems; ++i) {
    code = readField(control, schema, ids.internalIdList[i], view, catalogue, status);
  }
  FreeTQInternalIdList(&ids, 0);
  *viewLabel = view.label;
  return code;
}

// --------------------------------------------------- keywords of the server

void appendCut(std::string* value, const char* text) {
  if (text == nullptr) return;
  value->append(text);
  value->push_back(' ');
}

// GROUPS: the first name of each of the user's groups, separated by
// blanks; DATABASE: server-info items 1 and 27, each followed by a blank.
// Empty when the call fails.
void serverKeyword(void* data, uint32_t keyword, std::string* value) {
  TQControlStruct control = *static_cast<const TQControlStruct*>(data);
  TQStatusList own{};
  value->clear();
  if (keyword == kTQKeywordGroups) {
    TQGroupInfoList groups{};
    if (TQGetListGroup(&control, control.user, &groups, &own) < TQ_RETURN_ERROR) {
      for (uint32_t i = 0; i < groups.numItems && groups.groupList != nullptr; ++i) {
        const TQNameList& names = groups.groupList[i].groupName;
        if (names.numItems > 0 && names.nameList != nullptr) appendCut(value, names.nameList[0]);
      }
      if (!value->empty()) value->pop_back();  // separated, not followed
    }
    FreeTQGroupInfoList(&groups, 0);
  } else if (keyword == kTQKeywordDatabase) {
    uint32_t codes[] = {kServerInfoDatabase[0], kServerInfoDatabase[1]};
    const TQServerInfoRequestList requests{2, codes};
    TQServerInfoList info{};
    if (TQGetServerInfo(&control, &requests, &info, &own) < TQ_RETURN_ERROR) {
      for (uint32_t i = 0; i < info.numItems && info.serverInfoList != nullptr; ++i) {
        const TQValueStruct& v = info.serverInfoList[i].value;
        if (v.dataType == TQ_DATA_TYPE_CHAR) appendCut(value, v.u.charVal);
      }
    }
    FreeTQServerInfoList(&info, 0);
  }
  FreeTQStatusList(&own, 0);
  if (value->size() > kMaxKeywordList) value->resize(kMaxKeywordList);
}

uint32_t loadQualifier(TQSessionStruct* session, TQControlStruct* control, const char* schema,
                       const char* displayTag, const char* text, TQQualifierStruct* qualifier,
                       TQStatusList* status) {
  TQParseCatalogue catalogue;
  std::string viewLabel;
  const uint32_t code = readCatalogue(control, schema, displayTag, &catalogue, &viewLabel, status);
  if (code >= TQ_RETURN_ERROR) return code;
  // The keyword calls go out with a copy of the caller's control record, so
  // that they leave the caller's alone.
  TQControlStruct keywordControl = *control;
  TQParseContext context;
  context.catalogue = &catalogue;
  context.schema = schema;
  context.server = control->server;
  context.user = control->user;
  context.viewLabel = viewLabel.c_str();
  context.lastEntryId = session->lastCreatedEntryId;
  context.lastMatchCount = session->lastMatchCount;
  context.serverKeyword = serverKeyword;
  context.serverKeywordData = &keywordControl;
  const uint32_t parsed = tqParseQualification(context, text, qualifier, status);
  return parsed >= TQ_RETURN_ERROR ? parsed : tqTopStatus(status);
}

}  // namespace

extern "C" uint32_t TQLoadTQQualifierStruct(TQControlStruct* control, const char* schema,
                                            const char* displayTag, const char* qualText,
                                            TQQualifierStruct* qualifier, TQStatusList* status) {
  return tqGuarded(status, [&]() -> uint32_t {
    if (qualifier != nullptr) *qualifier = TQQualifierStruct{};
    TQSessionStruct* session = nullptr;
    uint32_t code = tqFrameStart(control, status, &session);
    if (code != kTQFrameGoOn) return code;
    code = tqCheckArgsLoadQualifier(schema, status);
    if (code >= TQ_RETURN_ERROR) return code;
    if (qualifier == nullptr) {
      TQAppendStatus(status, TQ_MSG_ERROR, kTQMsgNoQualifier, nullptr);
      return TQ_RETURN_ERROR;
    }
    if (tqParseTextIsBlank(qualText)) return tqTopStatus(status);
    if (tqRecordingOn(session)) tqRecordCall(session, kOperationName);
    code = loadQualifier(session, control, schema, displayTag, qualText, qualifier, status);
    if (tqRecordingOn(session)) tqRecordResults(session, kOperationName, code, status);
    return code;
  });
}
