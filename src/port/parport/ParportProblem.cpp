#include "port/parport/ParportProblem.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace korvalinx {

ParportProblem OpenProblem(int error) {
  switch (error) {
    case EACCES:
    case EPERM:
      return ParportProblem::Denied;
    case ENOENT:
    case ENODEV:
    case ENXIO:
      return ParportProblem::Missing;
    case EBUSY:
      return ParportProblem::Busy;
    default:
      return ParportProblem::Failed;
  }
}

ParportProblem ClaimProblem(int error) {
  switch (error) {
    // ENXIO: the port has a user registered exclusively.
    case EBUSY:
    case ENXIO:
    case EINTR:
      return ParportProblem::Busy;
    case ENODEV:
      return ParportProblem::Missing;
    default:
      return ParportProblem::Failed;
  }
}

std::string PortBaseText(std::uint16_t base) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", static_cast<unsigned>(base));
  return text;
}

std::string ParportProblemText(const ParportFault& fault, const std::string& devicePath,
                               std::uint16_t base, const std::string& group) {
  const std::string port = devicePath + " (port base " + PortBaseText(base) + ")";
  const std::string reason = std::strerror(fault.error);
  switch (fault.problem) {
    case ParportProblem::Busy:
      return "The parallel port " + port +
             " is in use by another driver or program. Korvalinx reads 0xFF from it until "
             "the port is free: end the program that uses it, or unload the driver that holds "
             "it (for a printer: sudo modprobe -r lp).";
    case ParportProblem::Denied:
      return "Korvalinx may not open the parallel port device " + port + ": " + reason +
             ". Add your user to the group \"" + (group.empty() ? "lp" : group) +
             "\" (sudo adduser $USER " + (group.empty() ? "lp" : group) +
             "), then log out and in again.";
    case ParportProblem::Missing:
      return "The parallel port device " + port + " is not there (" + reason +
             "). Load the kernel's parport device driver: sudo modprobe ppdev";
    case ParportProblem::Gone:
      return "The parallel port device " + port + " stopped answering (" + reason +
             "). Korvalinx reads 0xFF from it. Check the port and its driver "
             "(sudo modprobe ppdev).";
    case ParportProblem::Failed:
      break;
  }
  return "The parallel port device " + port + " cannot be used: " + reason + ".";
}

}  // namespace korvalinx
