#pragma once
// One parport device as the program uses it: opened and claimed when an
// access first needs it, the program's register writes turned into the
// driver's calls, and the port given back when the program restores it.
//
// What the driver does (kernel ppdev and parport): PPCLAIM registers us as a
// user of the port and waits until no other driver holds it; on claim the
// port driver loads our saved register state (for a new claim its defaults:
// control 0x0C, data lines forward, and on a port with an extended control
// register the byte (PS/2) mode). PPRELEASE saves the registers as we leave
// them and lets a waiting driver load its own; closing the device releases
// and unregisters us. Reads and writes of the registers need the claim.
//
// The program's writes map to:
//   base        data         -> PPWDATA
//   base + 1    status       -> nothing (read-only)
//   base + 2    control      -> PPWCONTROL with bits 0-3 (strobe, auto-feed,
//                               init, select-in); bit 5, the direction, ->
//                               PPDATADIR (set: reverse, the data lines are
//                               inputs; clear: forward); bit 4, the interrupt
//                               enable, stays the driver's
//   base + 0x402 extended    -> mode bits 0x20 (byte mode): PPSETMODE
//               control         IEEE1284_MODE_BYTE; 0x00 (standard mode):
//                               PPSETMODE IEEE1284_MODE_COMPAT. The driver
//                               sets the hardware register itself on claim,
//                               so this tells it how the lines are used.
// Standard mode followed by a control write with the direction clear is the
// program's restore of the port: after those calls the port is released and
// the device closed, so it is back with its other users as we found it. A
// later access claims it again. A restore of a device that is not open opens
// nothing: we hold nothing there to give back.
//
// Writes made while the device could not be opened are remembered and
// replayed when it opens, so that a port that was busy at start-up still
// reads its data lines as inputs once it is free.

#include <cstdint>
#include <optional>
#include <string>

#include "port/parport/ParportDevice.h"
#include "port/parport/ParportListing.h"
#include "port/parport/ParportProblem.h"

namespace korvalinx {

class ParportConnection {
 public:
  // A device that failed is tried again no sooner than this.
  static constexpr std::int64_t kRetryMs = 3000;

  ParportConnection(ParportDevice& device, ParportEntry entry);

  const ParportEntry& entry() const { return entry_; }
  void setEntry(const ParportEntry& entry) { entry_ = entry; }

  // The descriptor while the device is open and claimed; -1 otherwise.
  int fd() const { return fd_; }

  // Opens and claims the device unless it is open, or failed less than
  // kRetryMs ago. True when it is open; `fault` tells why a new attempt
  // failed.
  bool open(std::optional<ParportFault>& fault);

  // One register read of the open device: 0 or the errno value.
  int read(ParportRegister reg, std::uint8_t& value) { return device_.read(fd_, reg, value); }
  // Control reads give only bits 0-3 through the driver; the direction bit
  // is the one last written.
  std::uint8_t controlReadBits() const { return control_.value_or(0) & 0x20; }

  // The program's writes (see above). A fault when the device failed.
  std::optional<ParportFault> writeData(std::uint8_t value);
  std::optional<ParportFault> writeControl(std::uint8_t value);
  std::optional<ParportFault> writeExtendedControl(std::uint8_t value);

  // An ioctl of the open device failed with `error`: the device is closed and
  // counts as gone.
  ParportFault lose(int error);

  // The end of the process without the restore: the driver is told the
  // standard mode (so that closing runs no IEEE 1284 handshake on the lines),
  // then the port is released with its registers as they are, and closed.
  void shutdown();

 private:
  bool attempt(std::optional<ParportFault>& fault);
  std::optional<ParportFault> replay();
  std::optional<ParportFault> applyControl(std::uint8_t value);
  void closeDevice();

  ParportDevice& device_;
  ParportEntry entry_;
  int fd_ = -1;
  std::int64_t retryAtMs_ = 0;
  bool failedBefore_ = false;
  // What the program last wrote, for the replay after a late open.
  std::optional<ParportMode> mode_;
  std::optional<std::uint8_t> control_;
  // Standard mode was written: the next control write with the direction
  // clear ends the restore.
  bool restoring_ = false;
};

}  // namespace korvalinx
