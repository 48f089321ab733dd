// The groups the server knows and their members (--groups FILE):
//
//   # a comment; blank lines are skipped too
//   NAME ID TYPE [USER ...]   a group: its name (one word of 1 to 30 bytes),
//                             id (1 to 2147483647), type (1 view, 2 change)
//                             and the users that belong to it
//
// Built in: group 1 "Administrator" (type 2) with the user Demo, group 2
// "Sub Administrator" and group 3 "Customize"; a file line of one of these
// ids replaces it. Members of group 1 are administrators, of group 2
// sub-administrators and of group 3 allowed to customize.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tqsd {

inline constexpr uint32_t kAdminGroup = 1;
inline constexpr uint32_t kSubAdminGroup = 2;
inline constexpr uint32_t kCustomizeGroup = 3;

struct Group {
  uint32_t id = 0;
  uint32_t type = 1;
  std::string name;
  std::set<std::string> members;
};

class GroupTable {
 public:
  GroupTable();

  // Adds the groups of a file; false with "FILE:LINE: reason" on a fault.
  bool load(const std::string& path, std::string* error);

  const std::map<uint32_t, Group>& all() const { return groups_; }
  const Group* find(const std::string& name) const;
  bool isMember(const std::string& user, uint32_t groupId) const;
  // The groups a user belongs to, in id order.
  std::vector<const Group*> groupsOf(const std::string& user) const;

  // False when the id or the name is taken.
  bool add(Group group);
  // False when there is no such group.
  bool remove(const std::string& name);
  // Adds a user to groups; drops a user from every group.
  void join(const std::string& user, uint32_t groupId);
  void leaveAll(const std::string& user);
  // Makes the table exactly these groups (the store's, account_store.h).
  void replaceAll(std::map<uint32_t, Group> groups) { groups_ = std::move(groups); }

 private:
  std::map<uint32_t, Group> groups_;
};

}  // namespace tqsd
