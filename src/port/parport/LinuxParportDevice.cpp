#include "port/parport/LinuxParportDevice.h"

#include <fcntl.h>
#include <grp.h>
#include <linux/parport.h>
#include <linux/ppdev.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "port/parport/ThreadAlarm.h"

namespace korvalinx {

namespace {

int Result(int returned) {
  return returned == 0 ? 0 : errno;
}

}  // namespace

int LinuxParportDevice::open(const std::string& path) {
  // O_CLOEXEC: a program we start (the help viewer) gets no way to the port.
  const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY);
  return fd >= 0 ? fd : -errno;
}

void LinuxParportDevice::close(int fd) {
  ::close(fd);
}

int LinuxParportDevice::exclusive(int fd) {
  return Result(::ioctl(fd, PPEXCL));
}

int LinuxParportDevice::claim(int fd) {
  // PPCLAIM sleeps, with no time-out, while another driver holds the port
  // (and ppdev keeps one lock for all its devices meanwhile). The sleep is
  // interruptible: the alarm ends it with EINTR, and such a claim is not
  // restarted.
  ThreadAlarm alarm(claimWait_);
  if (!alarm.armed()) return EBUSY;  // no way to bound the wait: do not start it
  for (;;) {
    if (::ioctl(fd, PPCLAIM) == 0) return 0;
    const int error = errno;
    if (error != EINTR) return error;
    if (alarm.expired()) return EBUSY;
    // Some other signal: keep waiting until the alarm.
  }
}

int LinuxParportDevice::release(int fd) {
  return Result(::ioctl(fd, PPRELEASE));
}

int LinuxParportDevice::setMode(int fd, ParportMode mode) {
  int value = mode == ParportMode::Byte ? IEEE1284_MODE_BYTE : IEEE1284_MODE_COMPAT;
  return Result(::ioctl(fd, PPSETMODE, &value));
}

int LinuxParportDevice::setDataReverse(int fd, bool reverse) {
  int value = reverse ? 1 : 0;
  return Result(::ioctl(fd, PPDATADIR, &value));
}

int LinuxParportDevice::read(int fd, ParportRegister reg, std::uint8_t& value) {
  unsigned char byte = 0;
  unsigned long request = PPRDATA;
  if (reg == ParportRegister::Status) request = PPRSTATUS;
  if (reg == ParportRegister::Control) request = PPRCONTROL;
  if (::ioctl(fd, request, &byte) != 0) return errno;
  value = byte;
  return 0;
}

int LinuxParportDevice::write(int fd, ParportRegister reg, std::uint8_t value) {
  unsigned char byte = value;
  if (reg == ParportRegister::Data) return Result(::ioctl(fd, PPWDATA, &byte));
  if (reg == ParportRegister::Control) return Result(::ioctl(fd, PPWCONTROL, &byte));
  return EINVAL;
}

std::string LinuxParportDevice::groupName(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return {};
  group entry{};
  group* found = nullptr;
  std::vector<char> buffer(16384);
  if (::getgrgid_r(info.st_gid, &entry, buffer.data(), buffer.size(), &found) != 0 ||
      found == nullptr) {
    return {};
  }
  return entry.gr_name;
}

std::int64_t LinuxParportDevice::nowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace korvalinx
