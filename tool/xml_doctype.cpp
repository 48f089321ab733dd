// The document type declaration of the XML reader: the declaration with its
// optional SYSTEM identifier and an internal subset of element and
// attribute-list declarations and comments. It is checked for syntax only;
// nothing read here changes the rules or the document.
#include <array>
#include <string_view>

#include "xml_char_class.h"
#include "xml_reader.h"

namespace tixgrab {

bool XmlReader::readDoctype() {
  if (!matchLiteral("<!DOCTYPE")) return false;
  skipBlanks();
  if (readName().empty()) error("Missing or illegal DOCTYPE name");
  skipBlanks();
  if (matchLiteral("SYSTEM")) {
    skipBlanks();
    std::vector<std::string> ignored;
    readValue(ignored, "Missing or illegal SYSTEM name", false);
    skipBlanks();
  }
  if (matchChar('[')) {
    skipBlanks();
    while (readElementDeclaration() || readAttlistDeclaration() || readComment(nullptr, false)) {
      skipBlanks();
    }
    if (!matchChar(']')) error("Missing ']' after DOCTYPE declaration");
    skipBlanks();
  }
  if (!matchChar('>')) error("Missing '>' after DOCTYPE declaration");
  return true;
}

bool XmlReader::readElementDeclaration() {
  if (!matchLiteral("<!ELEMENT")) return false;
  skipBlanks();
  if (readName().empty()) error("Missing or invalid name in ELEMENT declaration");
  skipBlanks();
  if (!matchLiteral("EMPTY") && !matchLiteral("ANY") && matchChar('(')) {
    skipBlanks();
    if (matchLiteral("#PCDATA")) {
      int names = 0;
      for (;;) {
        skipBlanks();
        if (!matchChar('|')) break;
        skipBlanks();
        if (readName().empty()) error("Missing or illegal name after '|'");
        ++names;
      }
      if (!matchChar(')')) error("Missing ')' after contents specification");
      // Mixed content with element names must be repeatable.
      if (names > 0 && !matchChar('*')) error("Missing ')*' after contents specification");
      if (names == 0) matchChar('*');
    } else {
      readContentGroup();
    }
  }
  skipBlanks();
  if (!matchChar('>')) error("Missing '>' after ELEMENT declaration");
  return true;
}

// A choice or sequence after its '(' (and blanks): particles joined by '|'
// or ',', the closing ')' and an optional repeat mark.
void XmlReader::readContentGroup() {
  readParticle(true);
  for (;;) {
    skipBlanks();
    if (!matchChar('|') && !matchChar(',')) break;
    skipBlanks();
    readParticle(false);
  }
  if (!matchChar(')')) error("Missing ')' after contents specification");
  readRepeatMark();
}

void XmlReader::readParticle(bool first) {
  if (!readName().empty()) {
    readRepeatMark();
    return;
  }
  if (matchChar('(')) {
    skipBlanks();
    readContentGroup();
    return;
  }
  error(first ? "Missing choice/seq definition" : "Illegal syntax in ELEMENT definition");
}

void XmlReader::readRepeatMark() {
  int c = cursor_.peek();
  if (c == '?' || c == '*' || c == '+') cursor_.get();
}

bool XmlReader::readAttlistDeclaration() {
  if (!matchLiteral("<!ATTLIST")) return false;
  skipBlanks();
  if (readName().empty()) error("Missing ATTLIST name");
  for (;;) {
    skipBlanks();
    if (readName().empty()) break;
    skipBlanks();
    readAttributeType();
    skipBlanks();
    readAttributeDefault();
  }
  // The declaration ends with '>'; a ')' is still taken for older scripts.
  if (!matchChar('>') && !matchChar(')')) error("Missing '>' after ATTLIST definition");
  return true;
}

void XmlReader::readAttributeType() {
  // Longer names first, so that a name is never read as a shorter one plus
  // stray letters.
  static constexpr std::array<std::string_view, 8> kTypes = {
      "CDATA", "IDREFS", "IDREF", "ENTITIES", "ENTITY", "NMTOKENS", "NMTOKEN", "ID"};
  for (std::string_view type : kTypes) {
    if (matchLiteral(type)) return;
  }
  if (matchLiteral("NOTATION")) {
    skipBlanks();
    if (!matchChar('(')) error("Missing '(' after 'NOTATION'");
    skipBlanks();
    if (readName().empty()) error("Missing name in NOTATION definition");
    for (;;) {
      skipBlanks();
      if (!matchChar('|')) break;
      skipBlanks();
      if (readName().empty()) error("Missing name after '|' in NOTATION definition");
    }
    if (!matchChar(')')) error("Missing ')' after NOTATION definition");
    return;
  }
  if (!matchChar('(')) error("Missing '(' before enumeration");
  auto readToken = [this]() {
    bool any = false;
    while (isNameChar(cursor_.peek())) {
      cursor_.get();
      any = true;
    }
    return any;
  };
  skipBlanks();
  if (!readToken()) error("Missing token in enumeration definition");
  for (;;) {
    skipBlanks();
    if (!matchChar('|')) break;
    skipBlanks();
    if (!readToken()) error("Missing token after '|' in enumeration definition");
  }
  if (!matchChar(')')) error("Missing ')' after enumeration");
}

void XmlReader::readAttributeDefault() {
  if (matchLiteral("#REQUIRED") || matchLiteral("#IMPLIED")) return;
  if (matchLiteral("#FIXED")) skipBlanks();
  std::vector<std::string> ignored;
  readValue(ignored, "Missing value in DEFAULT definition", true);
}

}  // namespace tixgrab
