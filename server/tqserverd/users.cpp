// The user table of tqserverd (see users.h).
#include "users.h"

#include <fstream>

#include "tqlink.h"

namespace tqsd {

UserTable::UserTable() {
  users_["Demo"] = "";
}

bool UserTable::load(const std::string& path, std::string* error) {
  std::ifstream in(path);
  if (!in) {
    *error = "cannot read the users file " + path;
    return false;
  }
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos || line[start] == '#') continue;
    size_t nameEnd = line.find_first_of(" \t", start);
    std::string name = line.substr(start, nameEnd - start);
    std::string password;
    if (nameEnd != std::string::npos) {
      size_t passStart = line.find_first_not_of(" \t", nameEnd);
      if (passStart != std::string::npos) password = line.substr(passStart);
    }
    if (name.size() > TQ_MAX_ACCESS_NAME_SIZE || password.size() > TQ_MAX_PASSWORD_SIZE) {
      *error = path + ":" + std::to_string(number) + ": name or password longer than 30 bytes";
      return false;
    }
    users_[name] = password;
  }
  return true;
}

std::optional<std::string> UserTable::password(const std::string& user) const {
  auto found = users_.find(user);
  if (found == users_.end()) return std::nullopt;
  return found->second;
}

bool UserTable::add(const std::string& user, const std::string& password,
                    const std::string& email) {
  if (users_.count(user) != 0) return false;
  users_[user] = password;
  emails_[user] = email;
  return true;
}

bool UserTable::remove(const std::string& user) {
  emails_.erase(user);
  return users_.erase(user) != 0;
}

std::vector<std::string> UserTable::names() const {
  std::vector<std::string> out;
  for (const auto& [name, password] : users_) out.push_back(name);
  return out;
}

std::string UserTable::email(const std::string& user) const {
  auto found = emails_.find(user);
  return found == emails_.end() ? std::string() : found->second;
}

}  // namespace tqsd
