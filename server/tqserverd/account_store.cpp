// The users and groups of the store (see account_store.h).
#include "account_store.h"

#include <map>

#include "store.h"

namespace tqsd {
namespace {

void seed(const UserTable& users, const GroupTable& groups) {
  for (const std::string& name : users.names()) {
    Query(store(), "INSERT OR IGNORE INTO users (name, password, email) VALUES (?, ?, ?)")
        .bind(name)
        .bind(users.password(name).value_or(""))
        .bind(users.email(name))
        .run();
  }
  for (const auto& [id, group] : groups.all()) {
    Query(store(), "INSERT OR IGNORE INTO user_groups (id, name, type) VALUES (?, ?, ?)")
        .bind(int64_t{id})
        .bind(group.name)
        .bind(int64_t{group.type})
        .run();
  }
  // The members a file gives join the stored group only when it is that
  // group (same id and name): a group the store kept under the id of a file
  // group is another group, whose members the file does not name.
  for (const auto& [id, group] : groups.all()) {
    for (const std::string& user : group.members) {
      Query(store(),
            "INSERT OR IGNORE INTO group_members (group_id, user) "
            "SELECT id, ? FROM user_groups WHERE id = ? AND name = ?")
          .bind(user)
          .bind(int64_t{id})
          .bind(group.name)
          .run();
    }
  }
}

void load(UserTable* users, GroupTable* groups) {
  UserTable storedUsers;
  storedUsers.remove("Demo");  // only what the store holds
  Query u(store(), "SELECT name, password, email FROM users");
  while (u.next())
    storedUsers.add(u.bytes(0), u.bytes(1), u.bytes(2));
  std::map<uint32_t, Group> storedGroups;
  Query g(store(), "SELECT id, name, type FROM user_groups");
  while (g.next()) {
    Group& group = storedGroups[static_cast<uint32_t>(g.integer(0))];
    group.id = static_cast<uint32_t>(g.integer(0));
    group.name = g.bytes(1);
    group.type = static_cast<uint32_t>(g.integer(2));
  }
  Query m(store(), "SELECT group_id, user FROM group_members");
  while (m.next()) {
    auto found = storedGroups.find(static_cast<uint32_t>(m.integer(0)));
    if (found != storedGroups.end()) found->second.members.insert(m.bytes(1));
  }
  *users = std::move(storedUsers);
  groups->replaceAll(std::move(storedGroups));
}

}  // namespace

bool syncAccounts(UserTable* users, GroupTable* groups, std::string* error) {
  try {
    Transaction transaction(store());
    seed(*users, *groups);
    transaction.commit();
    load(users, groups);
    return true;
  } catch (const StoreFailure& failure) {
    *error = std::string("cannot keep the users and groups: ") + failure.what();
    return false;
  }
}

void storeUser(const std::string& user, const std::string& password, const std::string& email) {
  Query(store(), "INSERT INTO users (name, password, email) VALUES (?, ?, ?)")
      .bind(user)
      .bind(password)
      .bind(email)
      .run();
}

void storeMember(uint32_t groupId, const std::string& user) {
  Query(store(), "INSERT OR IGNORE INTO group_members (group_id, user) VALUES (?, ?)")
      .bind(int64_t{groupId})
      .bind(user)
      .run();
}

void dropUser(const std::string& user) {
  Query(store(), "DELETE FROM group_members WHERE user = ?").bind(user).run();
  Query(store(), "DELETE FROM users WHERE name = ?").bind(user).run();
}

void storeGroup(const Group& group) {
  Query(store(), "INSERT INTO user_groups (id, name, type) VALUES (?, ?, ?)")
      .bind(int64_t{group.id})
      .bind(group.name)
      .bind(int64_t{group.type})
      .run();
}

void dropGroup(uint32_t groupId) {
  Query(store(), "DELETE FROM group_members WHERE group_id = ?").bind(int64_t{groupId}).run();
  Query(store(), "DELETE FROM user_groups WHERE id = ?").bind(int64_t{groupId}).run();
}

}  // namespace tqsd
