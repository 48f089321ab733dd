// The seed-file reader (see seed_file.h).
#include "seed_file.h"

#include <algorithm>
#include <fstream>
#include <optional>
#include <string_view>

#include "tqlink.h"

namespace tqsd {
namespace {

constexpr size_t kMaxLabel = 254;
constexpr uint32_t kMaxFieldId = 2147483647;

struct TypeName {
  std::string_view name;
  uint32_t dataType;
};

constexpr TypeName kTypes[] = {
    {"integer", TQ_DATA_TYPE_INTEGER}, {"real", TQ_DATA_TYPE_REAL},
    {"char", TQ_DATA_TYPE_CHAR},       {"diary", TQ_DATA_TYPE_DIARY},
    {"enum", TQ_DATA_TYPE_ENUM},       {"time", TQ_DATA_TYPE_TIME},
    {"bitmask", TQ_DATA_TYPE_BITMASK}, {"decimal", TQ_DATA_TYPE_DECIMAL},
    {"ulong", TQ_DATA_TYPE_ULONG},
    {"attach", TQ_DATA_TYPE_ATTACH},
};

struct RoleType {
  uint32_t fieldId;
  uint32_t dataType;
};

constexpr RoleType kRoleTypes[] = {
    {kFieldEntryId, TQ_DATA_TYPE_CHAR},       {kFieldSubmitter, TQ_DATA_TYPE_CHAR},
    {kFieldCreateDate, TQ_DATA_TYPE_TIME},    {kFieldLastModifiedBy, TQ_DATA_TYPE_CHAR},
    {kFieldModifiedDate, TQ_DATA_TYPE_TIME},  {kFieldStatus, TQ_DATA_TYPE_ENUM},
    {kFieldStatusHistory, TQ_DATA_TYPE_CHAR}, {kFieldPassword, TQ_DATA_TYPE_CHAR},
};

std::optional<uint32_t> typeOf(std::string_view name) {
  for (const TypeName& t : kTypes) {
    if (t.name == name) return t.dataType;
  }
  return std::nullopt;
}

std::optional<uint32_t> fieldIdOf(std::string_view text) {
  if (text.empty() || text.size() > 10 || text[0] == '0') return std::nullopt;
  uint64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<uint64_t>(c - '0');
  }
  if (value > kMaxFieldId) return std::nullopt;
  return static_cast<uint32_t>(value);
}

constexpr std::string_view kBlanks = " \t";

std::string_view trim(std::string_view text) {
  size_t start = text.find_first_not_of(kBlanks);
  if (start == std::string_view::npos) return {};
  size_t end = text.find_last_not_of(kBlanks);
  return text.substr(start, end - start + 1);
}

// Takes the first word off `rest`.
std::string_view nextWord(std::string_view* rest) {
  size_t end = rest->find_first_of(kBlanks);
  std::string_view word = rest->substr(0, end);
  *rest = end == std::string_view::npos ? std::string_view() : trim(rest->substr(end));
  return word;
}

bool isName(std::string_view text) {
  return !text.empty() && text.size() <= TQ_MAX_NAME_SIZE;
}

// The reader's state: the forms so far and the lines of the open form and
// field, whose checks run when the next form or field (or the end) comes.
class Reader {
 public:
  Reader(const std::string& path, std::vector<FormDef>* forms) : path_(path), forms_(forms) {}

  bool line(int number, std::string_view text, std::string* error) {
    std::string_view rest = trim(text);
    if (rest.empty() || rest[0] == '#') return true;
    std::string_view keyword = nextWord(&rest);
    if (keyword == "form") return form(number, rest, error);
    if (keyword == "field") return field(number, rest, error);
    if (keyword == "value") return value(number, rest, error);
    return fail(number, "unknown declaration '" + std::string(keyword) + "'", error);
  }

  bool finish(std::string* error) { return closeForm(error); }

 private:
  bool fail(int number, const std::string& reason, std::string* error) const {
    *error = path_ + ":" + std::to_string(number) + ": " + reason;
    return false;
  }

  bool form(int number, std::string_view name, std::string* error) {
    if (!closeForm(error)) return false;
    if (!isName(name)) return fail(number, "a form name needs 1 to 30 bytes", error);
    for (const FormDef& f : *forms_) {
      if (f.name == name) {
        return fail(number, "form '" + std::string(name) + "' declared twice", error);
      }
    }
    forms_->push_back(FormDef{std::string(name), {}});
    formLine_ = number;
    return true;
  }

  bool field(int number, std::string_view rest, std::string* error) {
    if (formLine_ == 0) return fail(number, "a field needs a form line above it", error);
    if (!closeField(error)) return false;
    std::string_view idText = nextWord(&rest);
    std::string_view typeText = nextWord(&rest);
    std::string_view name = nextWord(&rest);
    std::string_view label = rest.empty() ? name : rest;
    std::optional<uint32_t> id = fieldIdOf(idText);
    if (!id) {
      return fail(number, "field id '" + std::string(idText) + "' is not 1 to 2147483647", error);
    }
    std::optional<uint32_t> type = typeOf(typeText);
    if (!type) return fail(number, "unknown data type '" + std::string(typeText) + "'", error);
    if (!isName(name)) return fail(number, "a field name needs 1 to 30 bytes", error);
    if (label.size() > kMaxLabel) return fail(number, "the label is longer than 254 bytes", error);
    for (const RoleType& role : kRoleTypes) {
      if (role.fieldId == *id && role.dataType != *type) {
        return fail(
            number,
            "field " + std::to_string(*id) + " must be of type " + dataTypeName(role.dataType),
            error);
      }
    }
    FormDef& form = forms_->back();
    if (form.field(*id) != nullptr) {
      return fail(number,
                  "field " + std::to_string(*id) + " declared twice in form '" + form.name + "'",
                  error);
    }
    form.fields.push_back(FieldDef{*id, *type, std::string(name), std::string(label), {}});
    fieldLine_ = number;
    return true;
  }

  bool value(int number, std::string_view name, std::string* error) {
    if (fieldLine_ == 0) return fail(number, "a value needs an enum field line above it", error);
    FieldDef& field = forms_->back().fields.back();
    if (field.dataType != TQ_DATA_TYPE_ENUM) {
      return fail(number, "field " + std::to_string(field.id) + " is not an enum field", error);
    }
    if (!isName(name)) return fail(number, "a value name needs 1 to 30 bytes", error);
    field.enumValues.emplace_back(name);
    return true;
  }

  bool closeField(std::string* error) {
    if (fieldLine_ == 0) return true;
    const FieldDef& field = forms_->back().fields.back();
    if (field.dataType == TQ_DATA_TYPE_ENUM && field.enumValues.empty()) {
      return fail(fieldLine_, "enum field " + std::to_string(field.id) + " has no values", error);
    }
    fieldLine_ = 0;
    return true;
  }

  bool closeForm(std::string* error) {
    if (formLine_ == 0) return true;
    if (!closeField(error)) return false;
    FormDef& form = forms_->back();
    if (form.fields.empty())
      return fail(formLine_, "form '" + form.name + "' has no fields", error);
    std::sort(form.fields.begin(), form.fields.end(),
              [](const FieldDef& a, const FieldDef& b) { return a.id < b.id; });
    formLine_ = 0;
    return true;
  }

  const std::string& path_;
  std::vector<FormDef>* forms_;
  int formLine_ = 0;   // line of the open form; 0 when none is open
  int fieldLine_ = 0;  // line of the open form's last field; 0 when none is open
};

}  // namespace

std::string dataTypeName(uint32_t dataType) {
  for (const TypeName& t : kTypes) {
    if (t.dataType == dataType) return std::string(t.name);
  }
  return "type " + std::to_string(dataType);
}

bool readSeedFile(const std::string& path, std::vector<FormDef>* forms, std::string* error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    *error = path + ": cannot read the forms file";
    return false;
  }
  std::vector<FormDef> read;
  Reader reader(path, &read);
  std::string text;
  int number = 0;
  while (std::getline(in, text)) {
    ++number;
    if (!text.empty() && text.back() == '\r') text.pop_back();
    if (!reader.line(number, text, error)) return false;
  }
  if (in.bad()) {
    *error = path + ": cannot read the forms file";
    return false;
  }
  if (!reader.finish(error)) return false;
  if (read.empty()) {
    *error = path + ": the file declares no form";
    return false;
  }
  *forms = std::move(read);
  return true;
}

}  // namespace tqsd
