#pragma once
// The message function of the port grant. The grant runs before the toolkit
// can show anything, so its messages wait; once the toolkit's message box is
// given they are shown in order, and every later message (the driver's while
// the window closes) is shown at once.

#include <string>
#include <utility>
#include <vector>

#include "port/permission/PortPermission.h"

namespace korvalinx {

class DeferredMessages {
 public:
  DeferredMessages() = default;
  DeferredMessages(const DeferredMessages&) = delete;
  DeferredMessages& operator=(const DeferredMessages&) = delete;

  // The function to hand to EnablePortAccess. It refers to this object,
  // which must outlive every use of it (the whole run of the window).
  MessageFn sink();

  // Shows the waiting messages through `show`, then shows every later one
  // through it at once.
  void showWith(MessageFn show);

 private:
  void take(const std::string& text, const std::string& caption);

  std::vector<std::pair<std::string, std::string>> waiting_;
  MessageFn show_;
};

}  // namespace korvalinx
