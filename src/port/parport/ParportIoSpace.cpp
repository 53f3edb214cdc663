#include "port/parport/ParportIoSpace.h"

namespace korvalinx {

thread_local ParportIoSpace::Route ParportIoSpace::route_;
std::atomic<std::uint64_t> ParportIoSpace::generation_{1};

ParportIoSpace::ParportIoSpace(ParportDevice& device, std::filesystem::path root)
    : device_(device), root_(std::move(root)) {
  // A route left by an earlier space at this same address means nothing.
  invalidateRoutes();
}

ParportIoSpace::~ParportIoSpace() {
  shutdown();
}

void ParportIoSpace::shutdown() {
  std::lock_guard lock(mutex_);
  for (auto& [path, connection] : connections_) connection->shutdown();
  invalidateRoutes();
}

std::uint8_t ParportIoSpace::readSlow(std::uint16_t address) {
  Notices notices;
  std::uint8_t result = 0xFF;
  {
    std::lock_guard lock(mutex_);
    const Target target = resolve(address);
    ParportConnection* connection = target.connection;
    if (connection != nullptr && target.reg != Register::ExtendedControl) {
      std::optional<ParportFault> fault;
      if (connection->open(fault)) {
        const ParportRegister reg = target.reg == Register::Data     ? ParportRegister::Data
                                    : target.reg == Register::Status ? ParportRegister::Status
                                                                     : ParportRegister::Control;
        const std::uint8_t orBits =
            reg == ParportRegister::Control ? connection->controlReadBits() : 0;
        std::uint8_t value = 0;
        if (const int error = connection->read(reg, value)) {
          fault = connection->lose(error);
          invalidateRoutes();
        } else {
          route_ = Route{this,    generation_.load(std::memory_order_acquire),
                         address, connection->fd(),
                         reg,     orBits};
          result = value | orBits;
        }
      }
      note(*connection, fault, notices);
    }
  }
  deliver(notices);
  return result;
}

void ParportIoSpace::write(std::int32_t port, std::uint8_t value) {
  const auto address = static_cast<std::uint16_t>(port);
  Notices notices;
  {
    std::lock_guard lock(mutex_);
    const Target target = resolve(address);
    if (ParportConnection* connection = target.connection) {
      std::optional<ParportFault> fault;
      switch (target.reg) {
        case Register::Data:
          fault = connection->writeData(value);
          break;
        case Register::Status:
          break;
        case Register::Control:
          fault = connection->writeControl(value);
          break;
        case Register::ExtendedControl:
          fault = connection->writeExtendedControl(value);
          break;
      }
      // The descriptor or the direction bit may have changed.
      invalidateRoutes();
      note(*connection, fault, notices);
    }
  }
  deliver(notices);
}

std::optional<ParportIoSpace::Target> ParportIoSpace::find(std::uint16_t address) {
  static constexpr std::pair<std::uint16_t, Register> kOffsets[] = {
      {0, Register::Data},
      {1, Register::Status},
      {2, Register::Control},
      {0x402, Register::ExtendedControl},
  };
  for (const auto& [offset, reg] : kOffsets) {
    const auto base = static_cast<std::uint16_t>(address - offset);
    for (const ParportEntry& entry : listing_) {
      if (entry.base != base) continue;
      auto& connection = connections_[entry.devicePath];
      if (!connection) {
        connection = std::make_unique<ParportConnection>(device_, entry);
      } else {
        connection->setEntry(entry);
      }
      return Target{connection.get(), reg};
    }
  }
  return std::nullopt;
}

ParportIoSpace::Target ParportIoSpace::resolve(std::uint16_t address) {
  if (auto target = find(address)) return *target;
  const std::int64_t now = device_.nowMs();
  if (listingReadAtMs_ && now - *listingReadAtMs_ < kListingAgeMs) return {};
  listing_ = ListParports(root_);
  listingReadAtMs_ = now;
  return find(address).value_or(Target{});
}

void ParportIoSpace::note(const ParportConnection& connection,
                          const std::optional<ParportFault>& fault, Notices& notices) {
  if (!fault) return;
  const ParportEntry& entry = connection.entry();
  if (!noticed_.emplace(entry.devicePath, fault->problem).second) return;
  const std::string group =
      fault->problem == ParportProblem::Denied ? device_.groupName(entry.devicePath) : "";
  notices.push_back(ParportProblemText(*fault, entry.devicePath, entry.base, group));
}

void ParportIoSpace::deliver(const Notices& notices) {
  if (notices.empty()) return;
  ParportNoticeFn notice;
  {
    std::lock_guard lock(mutex_);
    notice = notice_;
  }
  if (!notice) return;
  for (const std::string& text : notices) notice(text, kParportNoticeCaption);
}

void ParportIoSpace::setNoticeFn(ParportNoticeFn notice) {
  std::lock_guard lock(mutex_);
  notice_ = std::move(notice);
}

bool ParportIoSpace::anyListed() {
  std::lock_guard lock(mutex_);
  listing_ = ListParports(root_);
  listingReadAtMs_ = device_.nowMs();
  return !listing_.empty();
}

std::string ParportIoSpace::describe(std::uint16_t base) {
  std::lock_guard lock(mutex_);
  const Target target = resolve(base);
  if (target.connection == nullptr || target.reg != Register::Data) {
    return "no parallel port device for port base " + PortBaseText(base);
  }
  return target.connection->entry().devicePath + " (ppdev), port base " + PortBaseText(base);
}

}  // namespace korvalinx
