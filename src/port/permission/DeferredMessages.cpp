#include "port/permission/DeferredMessages.h"

namespace korvalinx {

MessageFn DeferredMessages::sink() {
  return [this](const std::string& text, const std::string& caption) { take(text, caption); };
}

void DeferredMessages::take(const std::string& text, const std::string& caption) {
  if (show_) {
    show_(text, caption);
  } else {
    waiting_.emplace_back(text, caption);
  }
}

void DeferredMessages::showWith(MessageFn show) {
  show_ = std::move(show);
  // Moved out first: a message raised while the waiting ones are shown goes
  // through take(), which now shows it at once, and the loop's list stays
  // untouched.
  std::vector<std::pair<std::string, std::string>> waiting = std::move(waiting_);
  waiting_.clear();
  for (const auto& [text, caption] : waiting) show_(text, caption);
}

}  // namespace korvalinx
