// The three failure kinds of Tixgrab. Each carries one message text that the
// catching code prints as it is.
#pragma once

#include <stdexcept>
#include <string>
#include <utility>

namespace tixgrab {

// Raised by the XML reader at its first error; the text names the place.
class XmlAccessException : public std::runtime_error {
 public:
  explicit XmlAccessException(const std::string& message) : std::runtime_error(message) {}
};

// Raised for failed library calls and for unknown field types.
class TqAccessException : public std::runtime_error {
 public:
  explicit TqAccessException(const std::string& message) : std::runtime_error(message) {}
};

// Raised by TextFile for every file error.
class ExternalFileException : public std::runtime_error {
 public:
  ExternalFileException(std::string path, const std::string& errorText)
      : std::runtime_error(errorText), path_(std::move(path)) {}
  const std::string& path() const { return path_; }
  std::string errorText() const { return what(); }

 private:
  std::string path_;
};

}  // namespace tixgrab
