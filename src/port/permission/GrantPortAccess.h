#pragma once

#include "port/permission/PortGrant.h"
#include "port/permission/PortPermission.h"

namespace korvalinx {

// The caption of every port-permission message.
inline constexpr char kPermissionCaption[] = "KORVALINX: Error setting IO permissions";

// The real-port program's start on Linux, before any toolkit code runs:
//   1. when the process is privileged (RunsPrivileged), the environment is cut
//      to SafeEnvironment, with the home and name of the user that root runs
//      for (sudo, pkexec);
//   2. direct access to every port is asked for; granted, the backend uses it,
//      refused, the parport device way; when the kernel lists no parport
//      device either, the refusal says what is needed;
//   3. when privileged, the process goes on as its invoking user (groups,
//      group ids, user ids), drops every capability and sets
//      no-new-privileges. Root started by root stays root, without
//      capabilities.
// Returns kPortAccessGranted, or kPortAccessRefused after the refusal went to
// `show`, or kPortAccessEndAtOnce after the reason went to `show` when a
// privileged step failed: the process must then end without starting the
// toolkit, which would run privileged.
int GrantPortAccess(PortGrant& system, const MessageFn& show);

// The shell command that gives `programPath` the capability for port access;
// the path is quoted when the shell would otherwise split or expand it.
std::string SetcapCommand(const std::string& programPath);

}  // namespace korvalinx
