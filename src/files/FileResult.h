#pragma once
// The outcome of one file operation. A failure carries a text for the user
// that names the file and the system's reason, e.g.
//   Cannot write "/tmp/x.kvx": Permission denied

#include <string>
#include <string_view>

namespace korvalinx {

struct FileResult {
  bool ok = true;
  std::string message;
  int error = 0;  // errno of the failure, 0 on success

  explicit operator bool() const { return ok; }
};

// A failure to `action` ("open", "read", "write") the file `path`, for the
// system error `error` (an errno value).
FileResult FileFailure(std::string_view action, const std::string& path, int error);

// The same with a reason of the program's own.
FileResult FileFailure(std::string_view action, const std::string& path, int error,
                       std::string_view reason);

}  // namespace korvalinx
