#pragma once
// A helper program run by a test, with its standard input and output on
// pipes. Every wait is bounded; a child still running at destruction is
// killed and reaped.

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace korvalinx::testing {

class ChildProcess {
 public:
  explicit ChildProcess(const std::vector<std::string>& argv);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool started() const { return pid_ > 0; }
  // The next line of output without its newline; nothing on end of output or
  // when no full line came within `timeout`.
  std::optional<std::string> readLine(std::chrono::milliseconds timeout);
  // All output up to its end; nothing when the end did not come in time.
  std::optional<std::string> readAll(std::chrono::milliseconds timeout);
  // Closes the child's standard input: a helper that waits for it ends.
  void closeInput();
  // The exit status; nothing when the child did not end within `timeout`
  // (it is then killed) or did not end normally.
  std::optional<int> wait(std::chrono::milliseconds timeout);

 private:
  // Reads what is available into buffer_; false at end of output or timeout.
  bool fill(std::chrono::steady_clock::time_point deadline);

  pid_t pid_ = -1;
  int input_ = -1;
  int output_ = -1;
  std::string buffer_;
};

}  // namespace korvalinx::testing
