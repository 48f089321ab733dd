// The users the server knows and their clear passwords.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tqsd {

class UserTable {
 public:
  // The built-in table: user "Demo" with an empty password.
  UserTable();

  // Adds the users of a file: one "name password" per line (the password is
  // the rest of the line after the blanks that follow the name; a name alone
  // has an empty password). Blank lines and lines starting with '#' are
  // skipped. A later line for a name replaces the earlier one. Names and
  // passwords longer than 30 bytes are refused. On failure returns false and
  // puts the reason (with the line number) into *error.
  bool load(const std::string& path, std::string* error);

  // The clear password of a user; nothing for an unknown user.
  std::optional<std::string> password(const std::string& user) const;

  // Users added and removed while the server runs (procedures 90 and 91),
  // with the e-mail address a create gives.
  bool add(const std::string& user, const std::string& password, const std::string& email);
  bool remove(const std::string& user);
  // Every user name in order, and the e-mail address of a user.
  std::vector<std::string> names() const;
  std::string email(const std::string& user) const;

 private:
  std::map<std::string, std::string> users_;
  std::map<std::string, std::string> emails_;
};

}  // namespace tqsd
