#pragma once
// Why a parport device cannot be used, and the text that tells the user what
// to do about it.

#include <cstdint>
#include <string>

namespace korvalinx {

enum class ParportProblem : std::uint8_t {
  Busy,     // another driver holds the port
  Denied,   // the user may not open the device
  Missing,  // no device file, or no driver behind it
  Gone,     // the device stopped answering while in use
  Failed,   // any other error
};

struct ParportFault {
  ParportProblem problem;
  int error;  // the errno value
};

inline constexpr char kParportNoticeCaption[] = "Korvalinx: parallel port";

// The problem an error of opening the device means.
ParportProblem OpenProblem(int error);
// The problem an error of claiming the port means.
ParportProblem ClaimProblem(int error);

// The notice for a device: what is wrong and the remedy (the device's group
// for Denied, modprobe ppdev for Missing and Gone).
std::string ParportProblemText(const ParportFault& fault, const std::string& devicePath,
                               std::uint16_t base, const std::string& group);

// "0x378".
std::string PortBaseText(std::uint16_t base);

}  // namespace korvalinx
