// The XML reader under the script schema: accepted documents and the tree
// they give, and every kind of error with its place.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "script_schema.h"
#include "tool_exceptions.h"
#include "tool_test_util.h"
#include "xml_file_reader.h"
#include "xml_reader.h"

namespace tixgrab::test {
namespace {

// Reads text under the tool's schema; returns the error message or "".
std::string readScript(const std::string& text, ScriptElement& document) {
  XmlReader reader;
  registerScriptSchema(reader);
  reader.setInputText(text);
  try {
    reader.read(document);
  } catch (const XmlAccessException& e) {
    EXPECT_TRUE(reader.failed());
    return e.what();
  }
  return "";
}

std::string errorOf(const std::string& text) {
  ScriptElement document;
  return readScript(text, document);
}

const ScriptElement& tixgrabOf(const ScriptElement& document) {
  const ScriptElement* top = document.findChild("TIXGRAB");
  if (!top) throw std::runtime_error("no TIXGRAB");
  return *top;
}

TEST(XmlReader, Errors) {
  struct Case {
    std::string text;
    std::string message;
  };
  const std::vector<Case> cases = {
      // Prolog
      {"<?xml version=\"1.0\"?>",
       "Missing quote before version number at position 15 in line 1: <?xml version=\"1.0\"?>"},
      {"<?xml encoding='x'?>", "Missing 'version' at position 7 in line 1: <?xml encoding='x'?>"},
      {"<?xml version '1'?>", "Missing equal sign at position 15 in line 1: <?xml version '1'?>"},
      {"<?xml version='?'?>",
       "Illegal version number format at position 16 in line 1: <?xml version='?'?>"},
      {"<?xml version='1.0?>",
       "Missing quote after version number at position 19 in line 1: <?xml version='1.0?>"},
      {"<?xml version='1.0' encoding='x'?>",
       "Missing end ('?>') after <?xml tag at position 21 in line 1: <?xml version='1.0' "
       "encoding='x'?>"},
      // Structure
      {"<TIXGRAB><FOO/></TIXGRAB>",
       "Tag <FOO> not allowed here at position 14 in line 1: <TIXGRAB><FOO/></TIXGRAB>"},
      {"<TQ SYSTEM='s'/>", "Tag <TQ> not allowed here at position 4 in line 1: <TQ SYSTEM='s'/>"},
      {"<TIXGRAB>\n  <GET FORM=Tasks ENTRY=1 HEAD='h' FIELD='x'/>\n</TIXGRAB>",
       "Keyword 'FIELD' not allowed at position 45 in line 2:   <GET FORM=Tasks ENTRY=1 "
       "HEAD='h' FIELD='x'/>"},
      {"<TIXGRAB>\n<GET FORM='f' ,>",
       "Missing '>' (end) in tag 'GET' at position 15 in line 2: "
       "<GET FORM='f' ,>"},
      {"<TIXGRAB><TQ SYSTEM></TQ></TIXGRAB>",
       "Missing equal sign at position 20 in line 1: <TIXGRAB><TQ SYSTEM></TQ></TIXGRAB>"},
      {"<TIXGRAB><TQ SYSTEM='s/></TIXGRAB>", "Missing ending quote at end of input"},
      {"<TIXGRAB>text</TIXGRAB>",
       "Text not allowed inside this tag at position 14 in line 1: <TIXGRAB>text</TIXGRAB>"},
      {"<TIXGRAB>", "Missing end tag after <TIXGRAB> at end of input"},
      {"<TIXGRAB></ >",
       "Missing end tag name, should be 'TIXGRAB' at position 12 in line 1: "
       "<TIXGRAB></ >"},
      {"<TIXGRAB></TQ>",
       "End tag name should be 'TIXGRAB' at position 14 in line 1: <TIXGRAB></TQ>"},
      {"<TIXGRAB></TIXGRAB x>",
       "Missing '>' after end tag at position 20 in line 1: <TIXGRAB></TIXGRAB x>"},
      {"<TIXGRAB><1/></TIXGRAB>",
       "Missing tag name at position 11 in line 1: <TIXGRAB><1/></TIXGRAB>"},
      {"<TIXGRAB/>\n<!-- late -->",
       "XML input has improper ending at position 1 in line 2: "
       "<!-- late -->"},
      {"<TIXGRAB/>\n\n  x", "XML input has improper ending at position 3 in line 3:   x"},
      // Comments
      {"<!-- open\n", "Missing '-->' (end comment) marker at end of input"},
      {"<!-- a -- b -->",
       "Comment contains unfinished '-->' end comment marker at position 8 in "
       "line 1: <!-- a -- b -->"},
      // A line feed pushed back before its line has been read from shows as the line start.
      {"<TIXGRAB>\n<TQ SYSTEM='s'/>\n</TIXGRAB\n>x",
       "XML input has improper ending at position 2 in line 4: >x"},
      {"<?xml version='1.0\n'?>", "Missing quote after version number at start of line 2: '?>"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(errorOf(c.text), c.message) << c.text;
}

TEST(XmlReader, DoctypeDeclarations) {
  struct Case {
    std::string doctype;
    std::string message;  // empty: accepted
  };
  const std::vector<Case> cases = {
      {"<!DOCTYPE TIXGRAB>", ""},
      {"<!doctype TIXGRAB SYSTEM \"a.dtd\">", ""},
      {"<!DOCTYPE TIXGRAB SYSTEM a.dtd>", ""},
      {"<!DOCTYPE TIXGRAB [ <!ELEMENT TQ EMPTY> <!-- x --> ]>", ""},
      {"<!DOCTYPE TIXGRAB [\n <!ELEMENT TIXGRAB (TQ, (ADD | GET)*, FIND?)+>\n"
       " <!ELEMENT FIELD (#PCDATA)>\n <!ELEMENT X (#PCDATA | A | B)*>\n <!ELEMENT Y ANY>\n"
       " <!ATTLIST TQ SYSTEM CDATA #REQUIRED USER CDATA \"Demo\" LANG (en|de) #IMPLIED\n"
       "   REF IDREFS #IMPLIED KIND NOTATION (a | b) #FIXED 'a'>\n]>",
       ""},
      {"<!DOCTYPE 1ABC>",
       "Missing or illegal DOCTYPE name at position 11 in line 1: "
       "<!DOCTYPE 1ABC>"},
      {"<!DOCTYPE T [ <!ELEMENT A (#PCDATA|B)> ]>",
       "Missing ')*' after contents specification at position 38 in line 1: <!DOCTYPE T [ "
       "<!ELEMENT A (#PCDATA|B)> ]>"},
      {"<!DOCTYPE T [ <!ENTITY e 'x'> ]>",
       "Missing ']' after DOCTYPE declaration at position 15 in line 1: <!DOCTYPE T [ <!ENTITY "
       "e 'x'> ]>"},
      {"<!DOCTYPE T SYSTEM 'a.dtd' x>",
       "Missing '>' after DOCTYPE declaration at position 28 in line 1: <!DOCTYPE T SYSTEM "
       "'a.dtd' x>"},
      {"<!DOCTYPE T SYSTEM 'a.dtd>", "Missing ending quote at end of input"},
      {"<!DOCTYPE T [<!ELEMENT>]>",
       "Missing or invalid name in ELEMENT declaration at position "
       "23 in line 1: <!DOCTYPE T [<!ELEMENT>]>"},
      {"<!DOCTYPE T [<!ELEMENT A ()>]>",
       "Missing choice/seq definition at position 27 in line "
       "1: <!DOCTYPE T [<!ELEMENT A ()>]>"},
      {"<!DOCTYPE T [<!ELEMENT A (B|)>]>",
       "Illegal syntax in ELEMENT definition at position 29 "
       "in line 1: <!DOCTYPE T [<!ELEMENT A (B|)>]>"},
      {"<!DOCTYPE T [<!ELEMENT A (B C)>]>",
       "Missing ')' after contents specification at position 29 in line 1: <!DOCTYPE T "
       "[<!ELEMENT A (B C)>]>"},
      {"<!DOCTYPE T [<!ELEMENT A (#PCDATA|)*>]>",
       "Missing or illegal name after '|' at position 35 in line 1: <!DOCTYPE T [<!ELEMENT A "
       "(#PCDATA|)*>]>"},
      {"<!DOCTYPE T [<!ELEMENT A EMPTY]>",
       "Missing '>' after ELEMENT declaration at position "
       "31 in line 1: <!DOCTYPE T [<!ELEMENT A EMPTY]>"},
      {"<!DOCTYPE T [<!ATTLIST >]>",
       "Missing ATTLIST name at position 24 in line 1: <!DOCTYPE T [<!ATTLIST >]>"},
      {"<!DOCTYPE T [<!ATTLIST A b NOTATION x>]>",
       "Missing '(' after 'NOTATION' at position 37 in line 1: <!DOCTYPE T [<!ATTLIST A b "
       "NOTATION x>]>"},
      {"<!DOCTYPE T [<!ATTLIST A b NOTATION ()>]>",
       "Missing name in NOTATION definition at position 38 in line 1: <!DOCTYPE T [<!ATTLIST A "
       "b NOTATION ()>]>"},
      {"<!DOCTYPE T [<!ATTLIST A b NOTATION (a|)>]>",
       "Missing name after '|' in NOTATION definition at position 40 in line 1: <!DOCTYPE T "
       "[<!ATTLIST A b NOTATION (a|)>]>"},
      {"<!DOCTYPE T [<!ATTLIST A b NOTATION (a>]>",
       "Missing ')' after NOTATION definition at position 39 in line 1: <!DOCTYPE T [<!ATTLIST "
       "A b NOTATION (a>]>"},
      {"<!DOCTYPE T [<!ATTLIST A b BOGUS>]>",
       "Missing '(' before enumeration at position 28 in "
       "line 1: <!DOCTYPE T [<!ATTLIST A b BOGUS>]>"},
      {"<!DOCTYPE T [<!ATTLIST A b (x|)>]>",
       "Missing token after '|' in enumeration definition at position 31 in line 1: <!DOCTYPE T "
       "[<!ATTLIST A b (x|)>]>"},
      {"<!DOCTYPE T [<!ATTLIST A b (x y)>]>",
       "Missing ')' after enumeration at position 31 in "
       "line 1: <!DOCTYPE T [<!ATTLIST A b (x y)>]>"},
      {"<!DOCTYPE T [<!ATTLIST A b CDATA >]>",
       "Missing value in DEFAULT definition at position 34 in line 1: <!DOCTYPE T [<!ATTLIST A "
       "b CDATA >]>"},
      {"<!DOCTYPE T [<!ATTLIST A b CDATA 'x' ]>",
       "Missing '>' after ATTLIST definition at position 38 in line 1: <!DOCTYPE T [<!ATTLIST A "
       "b CDATA 'x' ]>"},
  };
  for (const Case& c : cases) {
    const std::string text = "<?xml version='1.0'?>\n" + c.doctype + "\n<TIXGRAB/>";
    std::string expected = c.message;
    if (!expected.empty() && expected.find(" in line 1: ") != std::string::npos) {
      expected.replace(expected.find(" in line 1: "), 12, " in line 2: ");
    }
    ScriptElement document;
    EXPECT_EQ(readScript(text, document), expected) << c.doctype;
    if (expected.empty()) {
      EXPECT_EQ(document.children().size(), 1u) << "the declaration adds nothing";
    }
  }
}

TEST(XmlReader, BuildsTheScriptTree) {
  ScriptElement document;
  ASSERT_EQ(readScript("<?xml version='1.0'?>\n"
                       "<!-- head -->\n"
                       "<tixgrab>\n"
                       "  <tq system=\"s\" User='u'/>\n"
                       "  <GET FORM=Tasks ENTRY=000000000000001 />\n"
                       "  <FIND FORM=f QUAL='\"Status\" = 1\n"
                       "        AND 1 = 1'/>\n"
                       "  <ADD FORM='f'>\n"
                       "    <!-- two\n"
                       "         lines -->\n"
                       "    <FIELD ID='8'>\n"
                       "       first line  \n"
                       "       second line\n"
                       "    </FIELD>\n"
                       "    <FIELD ID=9/></FIELD>\n"
                       "  </ADD>\n"
                       "</TIXGRAB>\n",
                       document),
            "");
  ASSERT_EQ(document.children().size(), 2u);
  EXPECT_EQ(document.children()[0]->kind(), ScriptElement::kComment);
  EXPECT_EQ(document.children()[0]->pieces(), (std::vector<std::string>{"head"}));
  const ScriptElement& top = tixgrabOf(document);
  EXPECT_EQ(top.name(), "tixgrab");
  const ScriptElement& tq = *top.findChild("TQ");
  EXPECT_EQ(tq.keywordValue("SYSTEM"), "s");
  EXPECT_EQ(tq.keywordValue("user"), "u");
  EXPECT_EQ(top.findChild("GET")->keywordValue("ENTRY"), "000000000000001");
  const ScriptElement::Keyword* qual = top.findChild("FIND")->keyword("QUAL");
  ASSERT_NE(qual, nullptr);
  EXPECT_EQ(qual->values, (std::vector<std::string>{"\"Status\" = 1", "AND 1 = 1"}));
  EXPECT_EQ(top.findChild("FIND")->keywordValue("QUAL"), "\"Status\" = 1");
  const ScriptElement& add = *top.findChild("ADD");
  ASSERT_EQ(add.children().size(), 3u);
  EXPECT_EQ(add.children()[0]->pieces(), (std::vector<std::string>{"two", "lines"}));
  const ScriptElement& field = *add.children()[1];
  EXPECT_EQ(field.text(), "first line second line");
  EXPECT_EQ(add.children()[2]->keywordValue("ID"), "9/") << "no blank before the '/'";
}

TEST(XmlReader, CharacterReferencesAndEntities) {
  struct Case {
    std::string text;
    std::string value;
  };
  const std::vector<Case> cases = {
      {"&eacute;", "\xE9"},
      {"&Iacute;", "&Iacute;"},  // no such name
      {"&#65;&#x41;&#X41;", "AAA"},
      {"&#321;", "A"},    // low eight bits of 321
      {"&#x4142;", "A"},  // the first byte of the hex digits
      {"&#x7E;", "~"},
      {"a&amp;b &lt;c&gt; &quot;", "a&b <c> \""},
      {"&Dstrok;&ETH;&yuml;&nbsp;&brkbar;&hibar;", "\xD0\xD0\xFF\xA0\xA6\xAF"},
      {"&#;&#x;&amp &unknown; & x &#65", "&#;&#x;&amp &unknown; & x &#65"},
  };
  for (const Case& c : cases) {
    ScriptElement document;
    ASSERT_EQ(readScript("<TIXGRAB><ADD FORM='" + c.text + "'><FIELD ID='1'>" + c.text +
                             "</FIELD></ADD></TIXGRAB>",
                         document),
              "")
        << c.text;
    const ScriptElement& add = *tixgrabOf(document).findChild("ADD");
    EXPECT_EQ(add.keywordValue("FORM"), c.value) << c.text;
    EXPECT_EQ(add.findChild("FIELD")->text(), c.value) << c.text;
  }
}

TEST(XmlReader, EmptyAndBlankInputGiveAnEmptyDocument) {
  for (const char* text : {"", "\n   \n\t"}) {
    ScriptElement document;
    EXPECT_EQ(readScript(text, document), "");
    EXPECT_TRUE(document.children().empty());
  }
}

TEST(XmlReader, ErrorKeepsWhatWasBuilt) {
  ScriptElement document;
  EXPECT_NE(readScript("<TIXGRAB><TQ SYSTEM='s'/><DEL FORM='f'/><BAD/></TIXGRAB>", document), "");
  const ScriptElement& top = tixgrabOf(document);
  ASSERT_EQ(top.children().size(), 2u);
  EXPECT_EQ(top.children()[1]->name(), "DEL");
}

TEST(XmlReader, SettingsWithoutChecking) {
  XmlReader reader;
  reader.allowChild("", "A");
  reader.allowKeyword("A", "k");
  reader.settings().checking = false;
  reader.settings().keepComments = false;
  reader.settings().keepEmptyKeywords = false;
  reader.settings().trimTextLines = false;
  reader.setInputText("<A k='1' x='2' e=' '><B><C/></B><!-- c -->text<!-- a -- b --></A>");
  ScriptElement document;
  reader.read(document);
  const ScriptElement& a = *document.findChild("A");
  EXPECT_EQ(a.keywords().size(), 1u) << "unknown and blank keywords are dropped";
  EXPECT_TRUE(a.children().empty()) << "unknown tags, comments and text are dropped";

  XmlReader free;  // no rules at all: everything is accepted
  free.settings().checking = false;
  free.settings().trimTextLines = false;
  free.setInputText("<X a=1>\n    one\n      two\n  </X>");
  ScriptElement freeDocument;
  free.read(freeDocument);
  const ScriptElement& x = *freeDocument.findChild("X");
  EXPECT_EQ(x.keywordValue("a"), "1");
  ASSERT_EQ(x.children().size(), 1u);
  // The blanks before the first line are skipped before the text is read, so
  // that line has no indentation in common with the others.
  EXPECT_EQ(x.children()[0]->pieces(), (std::vector<std::string>{"one", "      two"}))
      << "blank last line dropped";
}

TEST(XmlReader, QuotesRequiredAndJoinedValues) {
  XmlReader reader;
  registerScriptSchema(reader);
  reader.settings().quotesRequired = true;
  reader.setInputText("<TIXGRAB><TQ SYSTEM=s/></TIXGRAB>");
  ScriptElement document;
  try {
    reader.read(document);
    FAIL();
  } catch (const XmlAccessException& e) {
    EXPECT_STREQ(e.what(),
                 "Missing value of 'SYSTEM' keyword at position 21 in line 1: <TIXGRAB><TQ "
                 "SYSTEM=s/></TIXGRAB>");
  }
  reader.settings().quotesRequired = false;
  reader.settings().joinContinuedValues = true;
  reader.setInputText("<TIXGRAB><FIND QUAL='a\n  b'/></TIXGRAB>");
  reader.read(document);
  EXPECT_EQ(tixgrabOf(document).findChild("FIND")->keywordValue("QUAL"), "a  b");
}

TEST(XmlFileReader, PlaceholdersAndFileErrors) {
  ScratchDir dir;
  writeFile(dir.file("s.xml"),
            "<TIXGRAB>\r\n<TQ SYSTEM='[Srv]' USER='[srv][USER]'/>\r\n</TIXGRAB>");
  XmlFileReader reader(dir.file("s.xml"));
  registerScriptSchema(reader);
  reader.addPlaceholder("srv", "[user]");
  reader.addPlaceholder("user", "me");
  ScriptElement document;
  reader.read(document);
  const ScriptElement& tq = *tixgrabOf(document).findChild("TQ");
  EXPECT_EQ(tq.keywordValue("SYSTEM"), "me") << "placeholders apply in registration order";
  EXPECT_EQ(tq.keywordValue("USER"), "meme");

  XmlFileReader missing(dir.file("missing.xml"));
  try {
    missing.read(document);
    FAIL();
  } catch (const XmlAccessException& e) {
    EXPECT_EQ(std::string(e.what()), "Error opening input file - No such file or directory [" +
                                         dir.file("missing.xml") + "]");
  }
  XmlFileReader folder(dir.path());
  try {
    folder.read(document);
    FAIL();
  } catch (const XmlAccessException& e) {
    EXPECT_EQ(std::string(e.what()),
              "Error reading input file - Is a directory [" + dir.path() + "]");
  }
}

}  // namespace
}  // namespace tixgrab::test
