// Users and groups kept in the store, so that those made or removed through
// procedures 90 to 93 outlive a restart on the same data file. The user and
// group tables of the server context are the store's copy in memory: every
// change is written to the store first (inside the call's transaction) and
// then to the table.
#pragma once

#include <cstdint>
#include <string>

#include "groups.h"
#include "users.h"

namespace tqsd {

// Adds to the store the users and groups (with their members) of the tables
// that it lacks (the built-in ones and those of the users and groups files),
// keeping what it holds for a name or id already there, then makes the
// tables what the store holds. False with the reason on failure.
bool syncAccounts(UserTable* users, GroupTable* groups, std::string* error);

// The writes of procedures 90 to 93; each throws StoreFailure on a fault.
void storeUser(const std::string& user, const std::string& password, const std::string& email);
void storeMember(uint32_t groupId, const std::string& user);
void dropUser(const std::string& user);  // and its memberships
void storeGroup(const Group& group);     // without its members
void dropGroup(uint32_t groupId);        // and its memberships

}  // namespace tqsd
