#include "view/RowGeometry.h"

namespace korvalinx {

RowGeometry RowGeometry::ForHeight(int height) {
  // Integer division truncates toward zero, also for the negative rows of a
  // window lower than 190.
  const int rowHeight = (height - 190) / 8;
  const int inset = rowHeight / 10;
  return {rowHeight, inset, rowHeight - 2 * inset};
}

}  // namespace korvalinx
