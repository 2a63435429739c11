#pragma once

#include <functional>
#include <string>

namespace hollowsweep::test {

// The user and group that tests run as when they must not bypass permissions.
inline constexpr unsigned UnprivilegedId = 65534;

// Runs work in a child process without root's powers and returns what it
// wrote. Under root the child takes on the unprivileged user, so the tree it
// works on must belong to that user (see GiveToUnprivileged).
std::string RunUnprivileged(const std::function<std::string()>& work);

// Runs work in a child process after prepare, which changes what the child
// may do or sees, and returns what work wrote; throws when prepare failed.
std::string RunInChild(const std::function<bool()>& prepare,
                       const std::function<std::string()>& work);

// In a child process: takes on the unprivileged user when running as root.
// False when that failed.
bool DropToUnprivileged();

// Hands a tree to the unprivileged user when the tests run as root.
void GiveToUnprivileged(const std::string& path);

} // namespace hollowsweep::test
