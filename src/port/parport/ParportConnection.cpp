#include "port/parport/ParportConnection.h"

#include <cerrno>
#include <utility>

namespace korvalinx {

namespace {

constexpr std::uint8_t kDirectionBit = 0x20;
constexpr std::uint8_t kControlLines = 0x0F;

}  // namespace

ParportConnection::ParportConnection(ParportDevice& device, ParportEntry entry)
    : device_(device), entry_(std::move(entry)) {}

bool ParportConnection::open(std::optional<ParportFault>& fault) {
  if (fd_ >= 0) return true;
  if (failedBefore_ && device_.nowMs() < retryAtMs_) return false;
  if (attempt(fault)) {
    failedBefore_ = false;
    return true;
  }
  failedBefore_ = true;
  retryAtMs_ = device_.nowMs() + kRetryMs;
  return false;
}

bool ParportConnection::attempt(std::optional<ParportFault>& fault) {
  int fd = device_.open(entry_.devicePath);
  if (fd < 0) {
    fault = ParportFault{OpenProblem(-fd), -fd};
    return false;
  }
  // Exclusively when we can: then another ppdev user's claim fails at once
  // instead of waiting for us inside the driver (which holds up every ppdev
  // call, ours included, meanwhile). A port another driver has registered on
  // (a printer driver, say) refuses that with ENXIO: share it then.
  device_.exclusive(fd);
  int error = device_.claim(fd);
  if (error == ENXIO) {
    device_.close(fd);
    fd = device_.open(entry_.devicePath);
    if (fd < 0) {
      fault = ParportFault{OpenProblem(-fd), -fd};
      return false;
    }
    error = device_.claim(fd);
  }
  if (error != 0) {
    device_.close(fd);
    fault = ParportFault{ClaimProblem(error), error};
    return false;
  }
  fd_ = fd;
  if (auto replayFault = replay()) {
    fault = replayFault;
    return false;
  }
  return true;
}

std::optional<ParportFault> ParportConnection::replay() {
  if (mode_) {
    if (const int error = device_.setMode(fd_, *mode_)) return lose(error);
  }
  if (control_) return applyControl(*control_);
  return std::nullopt;
}

std::optional<ParportFault> ParportConnection::applyControl(std::uint8_t value) {
  if (int error = device_.write(fd_, ParportRegister::Control, value & kControlLines)) {
    return lose(error);
  }
  if (int error = device_.setDataReverse(fd_, (value & kDirectionBit) != 0)) return lose(error);
  return std::nullopt;
}

std::optional<ParportFault> ParportConnection::writeData(std::uint8_t value) {
  std::optional<ParportFault> fault;
  if (!open(fault)) return fault;
  if (const int error = device_.write(fd_, ParportRegister::Data, value)) return lose(error);
  return std::nullopt;
}

std::optional<ParportFault> ParportConnection::writeControl(std::uint8_t value) {
  const bool endsRestore = restoring_ && (value & kDirectionBit) == 0;
  std::optional<ParportFault> fault;
  if (!endsRestore && !open(fault)) {
    control_ = value;
    return fault;
  }
  control_ = value;
  if (fd_ < 0) return std::nullopt;  // a restore of a device we do not hold
  if (auto applyFault = applyControl(value)) return applyFault;
  if (endsRestore) {
    restoring_ = false;
    device_.release(fd_);
    closeDevice();
  }
  return std::nullopt;
}

std::optional<ParportFault> ParportConnection::writeExtendedControl(std::uint8_t value) {
  ParportMode mode;
  switch (value >> 5) {
    case 0:
      mode = ParportMode::Compat;
      break;
    case 1:
      mode = ParportMode::Byte;
      break;
    default:
      return std::nullopt;  // FIFO, ECP and EPP modes: not the device's to offer
  }
  restoring_ = mode == ParportMode::Compat;
  std::optional<ParportFault> fault;
  if (!restoring_ && !open(fault)) {
    mode_ = mode;
    return fault;
  }
  mode_ = mode;
  if (fd_ < 0) return std::nullopt;
  if (const int error = device_.setMode(fd_, mode)) return lose(error);
  return std::nullopt;
}

ParportFault ParportConnection::lose(int error) {
  closeDevice();
  failedBefore_ = true;
  retryAtMs_ = device_.nowMs() + kRetryMs;
  return ParportFault{ParportProblem::Gone, error};
}

void ParportConnection::shutdown() {
  if (fd_ < 0) return;
  device_.setMode(fd_, ParportMode::Compat);
  device_.release(fd_);
  closeDevice();
}

void ParportConnection::closeDevice() {
  if (fd_ >= 0) device_.close(fd_);
  fd_ = -1;
}

}  // namespace korvalinx
