#pragma once
// The calls the parport way makes of the kernel's parport device driver
// (ppdev, /dev/parportN), one per ioctl. LinuxParportDevice is the real one;
// tests use a fake that records the calls. Every call returns 0 or an errno
// value.

#include <cstdint>
#include <string>

namespace korvalinx {

// The registers that the driver reads and writes for us.
enum class ParportRegister : std::uint8_t { Data, Status, Control };

// The transfer modes the driver is told about (IEEE 1284 modes).
enum class ParportMode : std::uint8_t { Compat, Byte };

class ParportDevice {
 public:
  virtual ~ParportDevice() = default;

  // Opens the device for reading and writing, not inherited by children:
  // the descriptor (>= 0), or -errno.
  virtual int open(const std::string& path) = 0;
  virtual void close(int fd) = 0;

  // PPEXCL: the next claim registers us as the port's only user.
  virtual int exclusive(int fd) = 0;
  // PPCLAIM within a bounded wait: EBUSY when another driver kept the port
  // for the whole wait. Never blocks longer than that wait.
  virtual int claim(int fd) = 0;
  // PPRELEASE.
  virtual int release(int fd) = 0;
  // PPSETMODE.
  virtual int setMode(int fd, ParportMode mode) = 0;
  // PPDATADIR: reverse makes the data lines inputs.
  virtual int setDataReverse(int fd, bool reverse) = 0;
  // PPRDATA, PPRSTATUS, PPRCONTROL.
  virtual int read(int fd, ParportRegister reg, std::uint8_t& value) = 0;
  // PPWDATA, PPWCONTROL (Status is read-only: EINVAL).
  virtual int write(int fd, ParportRegister reg, std::uint8_t value) = 0;

  // The name of the group that owns the device file; empty when unknown.
  virtual std::string groupName(const std::string& path) = 0;
  // A monotonic clock in milliseconds, for the retry of a failed device.
  virtual std::int64_t nowMs() = 0;
};

}  // namespace korvalinx
