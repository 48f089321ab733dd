// The export text (see export_text.h).
#include "export_text.h"

#include <cstdio>
#include <iterator>
#include <string_view>

namespace tqsd {
namespace {

constexpr const char* kFirstLine = "tqserverd export 1";
constexpr size_t kRecordBytesPerLine = 32;

struct KindWord {
  DefKind kind;
  const char* word;
};

constexpr KindWord kKindWords[] = {
    {DefKind::kSchema, "schema"},
    {DefKind::kField, "field"},
    {DefKind::kView, "view"},
    {DefKind::kCharMenu, "char-menu"},
    {DefKind::kFilter, "filter"},
    {DefKind::kActiveLink, "active-link"},
    {DefKind::kEscalation, "escalation"},
    {DefKind::kContainer, "container"},
};

std::string escaped(const std::string& text) {
  std::string out;
  for (unsigned char c : text) {
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c < 0x20 || c >= 0x7f) {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02x", c);
      out += hex;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::optional<std::string> unescaped(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out += text[i];
      continue;
    }
    if (++i >= text.size()) return std::nullopt;
    if (text[i] == '\\') {
      out += '\\';
    } else if (text[i] == 'n') {
      out += '\n';
    } else if (text[i] == 'x' && i + 2 < text.size() && hexDigit(text[i + 1]) >= 0 &&
               hexDigit(text[i + 2]) >= 0) {
      out += static_cast<char>(hexDigit(text[i + 1]) * 16 + hexDigit(text[i + 2]));
      i += 2;
    } else {
      return std::nullopt;
    }
  }
  return out;
}

bool appendHex(std::string_view text, std::string* bytes) {
  if (text.size() % 2 != 0) return false;
  for (size_t i = 0; i < text.size(); i += 2) {
    const int high = hexDigit(text[i]), low = hexDigit(text[i + 1]);
    if (high < 0 || low < 0) return false;
    *bytes += static_cast<char>(high * 16 + low);
  }
  return true;
}

std::optional<uint64_t> number(std::string_view text, uint64_t largest) {
  if (text.empty() || text.size() > 10) return std::nullopt;
  uint64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<uint64_t>(c - '0');
  }
  if (value > largest) return std::nullopt;
  return value;
}

}  // namespace

const char* kindWord(DefKind kind) {
  for (const KindWord& k : kKindWords) {
    if (k.kind == kind) return k.word;
  }
  return "?";
}

std::string writeExportText(const std::vector<ExportedDef>& defs) {
  std::string text = std::string(kFirstLine) + "\n";
  for (const ExportedDef& def : defs) {
    text += std::string("definition ") + kindWord(def.kind) + "\n";
    text += "name " + escaped(def.row.name) + "\n";
    text += "scope " + escaped(def.scope) + "\n";
    if (def.row.id) text += "id " + std::to_string(*def.row.id) + "\n";
    text += "schema " + escaped(def.row.schema) + "\n";
    text += "changed " + std::to_string(def.row.changed) + "\n";
    const std::string& body = def.row.body;
    for (size_t at = 0; at < body.size(); at += kRecordBytesPerLine) {
      text += "record ";
      for (size_t i = at; i < body.size() && i < at + kRecordBytesPerLine; ++i) {
        char hex[3];
        std::snprintf(hex, sizeof hex, "%02x", static_cast<unsigned char>(body[i]));
        text += hex;
      }
      text += "\n";
    }
    text += "end\n";
  }
  return text;
}

std::optional<std::vector<ExportedDef>> readExportText(const std::string& text,
                                                       std::string* error) {
  std::vector<ExportedDef> defs;
  std::optional<ExportedDef> open;
  int lineNumber = 0;
  auto fail = [&](const std::string& why) {
    *error = "line " + std::to_string(lineNumber) + ": " + why;
    return std::nullopt;
  };
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    std::string_view line(text.data() + at, end - at);
    at = end + 1;
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (lineNumber == 1) {
      if (line != kFirstLine) return fail("not an export text of this server");
      continue;
    }
    if (line.empty()) continue;
    const size_t space = line.find(' ');
    const std::string_view key = line.substr(0, space);
    const std::string_view value =
        space == std::string_view::npos ? std::string_view() : line.substr(space + 1);
    if (key == "definition") {
      if (open) return fail("a definition block without its end");
      open = ExportedDef{};
      bool known = false;
      for (const KindWord& k : kKindWords) {
        if (value == k.word) {
          open->kind = k.kind;
          known = true;
        }
      }
      if (!known) return fail("unknown kind of definition '" + std::string(value) + "'");
      continue;
    }
    if (!open) return fail("'" + std::string(key) + "' outside a definition block");
    if (key == "end") {
      if (open->row.name.empty()) return fail("a definition without a name");
      if (open->row.body.empty()) return fail("a definition without its record");
      defs.push_back(std::move(*open));
      open.reset();
    } else if (key == "name" || key == "scope" || key == "schema") {
      std::optional<std::string> decoded = unescaped(value);
      if (!decoded) return fail("a bad escape in '" + std::string(key) + "'");
      (key == "name" ? open->row.name : key == "scope" ? open->scope : open->row.schema) = *decoded;
    } else if (key == "id") {
      std::optional<uint64_t> id = number(value, 2147483647u);
      if (!id) return fail("the id is not 0 to 2147483647");
      open->row.id = static_cast<uint32_t>(*id);
    } else if (key == "changed") {
      std::optional<uint64_t> time = number(value, 2147483647u);
      if (!time) return fail("the change time is not 0 to 2147483647");
      open->row.changed = static_cast<TQTimestamp>(*time);
    } else if (key == "record") {
      if (!appendHex(value, &open->row.body)) return fail("the record is not hexadecimal");
    } else {
      return fail("unknown attribute '" + std::string(key) + "'");
    }
  }
  if (lineNumber == 0) return fail("the text is empty");
  if (open) return fail("the last definition block has no end");
  return defs;
}

}  // namespace tqsd
