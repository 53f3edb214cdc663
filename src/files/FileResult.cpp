#include "files/FileResult.h"

#include <cstring>

namespace korvalinx {

FileResult FileFailure(std::string_view action, const std::string& path, int error) {
  return FileFailure(action, path, error, std::strerror(error));
}

FileResult FileFailure(std::string_view action, const std::string& path, int error,
                       std::string_view reason) {
  FileResult result;
  result.ok = false;
  result.error = error;
  result.message = "Cannot ";
  result.message += action;
  result.message += " \"";
  result.message += path;
  result.message += "\": ";
  result.message += reason;
  return result;
}

}  // namespace korvalinx
