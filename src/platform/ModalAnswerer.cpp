#include "platform/ModalAnswerer.h"

namespace korvalinx {
namespace {
ModalAnswerer* answerer = nullptr;
}

void SetModalAnswerer(ModalAnswerer* a) {
  answerer = a;
}
ModalAnswerer* CurrentModalAnswerer() {
  return answerer;
}

}  // namespace korvalinx
