#include "xml_file_reader.h"

#include "text_util.h"
#include "tool_exceptions.h"

namespace tixgrab {

void XmlFileReader::addPlaceholder(const std::string& name, const std::string& value) {
  placeholders_.emplace_back("[" + name + "]", value);
}

void XmlFileReader::fileError(const std::string& operation, const std::string& errorText) const {
  throw XmlAccessException("Error " + operation + " - " + errorText + " [" + file_.path() + "]");
}

void XmlFileReader::openInput() {
  try {
    file_.open(TextFile::Mode::Read);
  } catch (const ExternalFileException& e) {
    fileError("opening input file", e.errorText());
  }
}

bool XmlFileReader::readInputLine(std::string& line) {
  try {
    if (!file_.readLine(line)) return false;
  } catch (const ExternalFileException& e) {
    fileError("reading input file", e.errorText());
  }
  for (const auto& [pattern, value] : placeholders_)
    line = replaceAllNoCase(line, pattern, value);
  return true;
}

void XmlFileReader::closeInput() {
  try {
    file_.close();
  } catch (const ExternalFileException& e) {
    fileError("closing input file", e.errorText());
  }
}

}  // namespace tixgrab
