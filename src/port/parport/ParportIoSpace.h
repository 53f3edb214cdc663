#pragma once
// The I/O addresses that the kernel's parport devices serve: an address is
// decoded as the hardware would decode it (a listed port's base is its data
// register, base + 1 its status, base + 2 its control, base + 0x402 its
// extended control register) and the access goes to that port's device
// (ParportConnection). An address of no listed port, or of a port whose
// device cannot be used, reads 0xFF, as an empty bus does, and takes no
// writes.
//
// The hot path is a read of the address read last: each thread keeps that
// address with its descriptor and register, so a capture's reads are a
// compare and the ioctl. Everything else takes a lock: the lazy open, the
// writes, the listing (read again, at most once a second, when an address is
// not in it) and the notices, which go out after the lock is left, once for
// each device and problem.

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "port/parport/ParportConnection.h"
#include "port/parport/ParportDevice.h"
#include "port/parport/ParportListing.h"
#include "port/parport/ParportProblem.h"

namespace korvalinx {

using ParportNoticeFn = std::function<void(const std::string& text, const std::string& caption)>;

class ParportIoSpace {
 public:
  static constexpr std::int64_t kListingAgeMs = 1000;

  ParportIoSpace(ParportDevice& device, std::filesystem::path root);
  // Gives back every port still held (see ParportConnection::shutdown).
  ~ParportIoSpace();
  ParportIoSpace(const ParportIoSpace&) = delete;
  ParportIoSpace& operator=(const ParportIoSpace&) = delete;

  std::uint8_t read(std::int32_t port) {
    const auto address = static_cast<std::uint16_t>(port);
    const Route& route = route_;
    if (route.address == address && route.owner == this &&
        route.generation == generation_.load(std::memory_order_acquire)) {
      std::uint8_t value;
      if (device_.read(route.fd, route.reg, value) == 0) return value | route.orBits;
    }
    return readSlow(address);
  }

  void write(std::int32_t port, std::uint8_t value);

  // Where notices go; none until set.
  void setNoticeFn(ParportNoticeFn notice);

  // The kernel lists at least one port (read afresh).
  bool anyListed();

  // "/dev/parport0 (ppdev), port base 0x378", or "no parallel port device for
  // port base 0x278".
  std::string describe(std::uint16_t base);

  // Every port still held is given back; later accesses open it again.
  void shutdown();

 private:
  enum class Register : std::uint8_t { Data, Status, Control, ExtendedControl };
  struct Target {
    ParportConnection* connection = nullptr;
    Register reg = Register::Data;
  };
  struct Route {
    const ParportIoSpace* owner = nullptr;
    std::uint64_t generation = 0;
    std::uint16_t address = 0;
    int fd = -1;
    ParportRegister reg = ParportRegister::Data;
    std::uint8_t orBits = 0;
  };
  using Notices = std::vector<std::string>;

  std::uint8_t readSlow(std::uint16_t address);
  Target resolve(std::uint16_t address);
  std::optional<Target> find(std::uint16_t address);
  void note(const ParportConnection& connection, const std::optional<ParportFault>& fault,
            Notices& notices);
  void deliver(const Notices& notices);
  static void invalidateRoutes() { generation_.fetch_add(1, std::memory_order_acq_rel); }

  ParportDevice& device_;
  std::filesystem::path root_;

  std::mutex mutex_;
  std::vector<ParportEntry> listing_;
  std::optional<std::int64_t> listingReadAtMs_;
  std::map<std::string, std::unique_ptr<ParportConnection>> connections_;  // by device path
  std::set<std::pair<std::string, ParportProblem>> noticed_;
  ParportNoticeFn notice_;

  static thread_local Route route_;
  static std::atomic<std::uint64_t> generation_;
};

}  // namespace korvalinx
