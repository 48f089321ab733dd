// The group table of tqserverd (see groups.h).
#include "groups.h"

#include <fstream>
#include <sstream>

#include "tqlink.h"

namespace tqsd {
namespace {

bool parseId(const std::string& text, uint32_t* out) {
  if (text.empty() || text.size() > 10 ||
      text.find_first_not_of("0123456789") != std::string::npos) {
    return false;
  }
  const unsigned long long value = std::stoull(text);
  if (value == 0 || value > 2147483647ull) return false;
  *out = static_cast<uint32_t>(value);
  return true;
}

}  // namespace

GroupTable::GroupTable() {
  groups_[kAdminGroup] = Group{kAdminGroup, 2, "Administrator", {"Demo"}};
  groups_[kSubAdminGroup] = Group{kSubAdminGroup, 2, "Sub Administrator", {}};
  groups_[kCustomizeGroup] = Group{kCustomizeGroup, 2, "Customize", {}};
}

bool GroupTable::load(const std::string& path, std::string* error) {
  std::ifstream in(path);
  if (!in) {
    *error = "cannot read the groups file " + path;
    return false;
  }
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::istringstream words(line);
    std::string name, idText, typeText;
    if (!(words >> name) || name[0] == '#') continue;
    Group group;
    group.name = name;
    const auto fail = [&](const char* reason) {
      *error = path + ":" + std::to_string(number) + ": " + reason;
      return false;
    };
    if (name.size() > TQ_MAX_NAME_SIZE) return fail("a group name needs 1 to 30 bytes");
    if (!(words >> idText) || !parseId(idText, &group.id))
      return fail("a group id needs 1 to 2147483647");
    if (!(words >> typeText) || (typeText != "1" && typeText != "2")) {
      return fail("a group type is 1 (view) or 2 (change)");
    }
    group.type = typeText == "1" ? 1 : 2;
    for (std::string user; words >> user;) {
      if (user.size() > TQ_MAX_ACCESS_NAME_SIZE) return fail("a user name needs 1 to 30 bytes");
      group.members.insert(user);
    }
    for (const auto& [id, other] : groups_) {
      if (id != group.id && other.name == group.name) return fail("the group name is taken");
    }
    groups_[group.id] = std::move(group);
  }
  return true;
}

const Group* GroupTable::find(const std::string& name) const {
  for (const auto& [id, group] : groups_) {
    if (group.name == name) return &group;
  }
  return nullptr;
}

bool GroupTable::isMember(const std::string& user, uint32_t groupId) const {
  auto found = groups_.find(groupId);
  return found != groups_.end() && found->second.members.count(user) != 0;
}

std::vector<const Group*> GroupTable::groupsOf(const std::string& user) const {
  std::vector<const Group*> out;
  for (const auto& [id, group] : groups_) {
    if (group.members.count(user) != 0) out.push_back(&group);
  }
  return out;
}

bool GroupTable::add(Group group) {
  if (groups_.count(group.id) != 0 || find(group.name) != nullptr) return false;
  groups_[group.id] = std::move(group);
  return true;
}

bool GroupTable::remove(const std::string& name) {
  const Group* group = find(name);
  if (group == nullptr) return false;
  groups_.erase(group->id);
  return true;
}

void GroupTable::join(const std::string& user, uint32_t groupId) {
  auto found = groups_.find(groupId);
  if (found != groups_.end()) found->second.members.insert(user);
}

void GroupTable::leaveAll(const std::string& user) {
  for (auto& [id, group] : groups_)
    group.members.erase(user);
}

}  // namespace tqsd
