#include "port/permission/ProcessIdentity.h"

#include <charconv>
#include <string_view>

namespace korvalinx {

namespace {

std::optional<std::string_view> valueOf(const std::vector<std::string>& environment,
                                        std::string_view name) {
  for (const std::string& entry : environment) {
    const std::string_view text(entry);
    if (text.size() > name.size() && text.starts_with(name) && text[name.size()] == '=') {
      return text.substr(name.size() + 1);
    }
  }
  return std::nullopt;
}

// A decimal id, all digits, below the kernel's invalid id (uint32_t)-1.
std::optional<uint32_t> idOf(std::optional<std::string_view> text) {
  if (!text || text->empty()) return std::nullopt;
  uint32_t id = 0;
  const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), id);
  if (error != std::errc() || end != text->data() + text->size()) return std::nullopt;
  if (id == static_cast<uint32_t>(-1)) return std::nullopt;
  return id;
}

}  // namespace

bool RunsPrivileged(const ProcessIdentity& identity) {
  return identity.secureExecution || identity.realUid != identity.effectiveUid ||
         identity.realGid != identity.effectiveGid || identity.effectiveUid == 0 ||
         identity.holdsCapabilities;
}

std::optional<InvokingUser> FindInvokingUser(const ProcessIdentity& identity,
                                             const std::vector<std::string>& environment) {
  if (identity.realUid != 0) {
    InvokingUser user;
    user.uid = identity.realUid;
    user.gid = identity.realGid;
    return user;
  }
  const std::optional<uint32_t> sudoUid = idOf(valueOf(environment, "SUDO_UID"));
  const std::optional<uint32_t> sudoGid = idOf(valueOf(environment, "SUDO_GID"));
  if (sudoUid && sudoGid && *sudoUid != 0) {
    InvokingUser user;
    user.uid = *sudoUid;
    user.gid = *sudoGid;
    user.fromRoot = true;
    user.nameHint = std::string(valueOf(environment, "SUDO_USER").value_or(""));
    return user;
  }
  const std::optional<uint32_t> pkexecUid = idOf(valueOf(environment, "PKEXEC_UID"));
  if (pkexecUid && *pkexecUid != 0) {
    InvokingUser user;
    user.uid = *pkexecUid;
    user.fromRoot = true;
    return user;
  }
  return std::nullopt;
}

}  // namespace korvalinx
