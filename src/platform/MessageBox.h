#pragma once
#include <string>

#include "platform/ModalAnswerer.h"

namespace korvalinx {

// The application's message box: the text, the caption, OK or OK + Cancel,
// no icon, modal. Escape and the close button answer Cancel.
MessageResult ShowMessage(const std::string& text, const std::string& caption,
                          MessageButtons buttons = MessageButtons::Ok);

}  // namespace korvalinx
