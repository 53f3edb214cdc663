#pragma once

#include "port/permission/PortGrant.h"
#include "port/permission/PortPermission.h"

namespace korvalinx {

// The caption of every port-permission message.
inline constexpr char kPermissionCaption[] = "KORVALINX: Error setting IO permissions";

// Obtains access to all ports, then drops every capability. A refusal of
// either step shows what is needed through `show` (for a lack of privilege,
// the setcap command for this program, or running as root) and returns 1: the
// program never goes on without port access, nor with privileges it still
// holds.
// Returns 0 when access is granted and the capabilities are gone.
int GrantPortAccess(PortGrant& system, const MessageFn& show);

// The shell command that gives `programPath` the capability for port access;
// the path is quoted when the shell would otherwise split or expand it.
std::string SetcapCommand(const std::string& programPath);

}  // namespace korvalinx
