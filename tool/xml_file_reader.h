// The XML reader on a file: lines are read from the file (opened with the
// tool's retry policy) and have their placeholders replaced before parsing.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "text_file.h"
#include "xml_reader.h"

namespace tixgrab {

class XmlFileReader : public XmlReader {
 public:
  explicit XmlFileReader(std::string path) : file_(std::move(path)) {}

  // Every "[name]" (found without regard to case) is replaced by value.
  void addPlaceholder(const std::string& name, const std::string& value);
  void setRetryPolicy(TextFile::RetryPolicy policy) { file_.setRetryPolicy(policy); }

 protected:
  void openInput() override;
  bool readInputLine(std::string& line) override;
  void closeInput() override;

 private:
  [[noreturn]] void fileError(const std::string& operation, const std::string& errorText) const;

  TextFile file_;
  std::vector<std::pair<std::string, std::string>> placeholders_;
};

}  // namespace tixgrab
