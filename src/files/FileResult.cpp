#include "files/FileResult.h"

#include <cstring>

namespace korvalinx {

FileResult FileFailure(std::string_view action, const std::string& path, int error) {
  FileResult result;
  result.ok = false;
  result.error = error;
  result.message = "Cannot ";
  result.message += action;
  result.message += " \"";
  result.message += path;
  result.message += "\": ";
  result.message += std::strerror(error);
  return result;
}

}  // namespace korvalinx
