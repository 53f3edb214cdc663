#pragma once
#include <QImage>

namespace korvalinx {

// The program's pictures, drawn rather than shipped: the window icon and the
// display group's icon (32 x 32, 16 colours) and the splash picture
// (600 x 211, 24-bit).
QImage MakeWindowIcon();
QImage MakeIconPicture();
QImage MakeSplashPicture();

}  // namespace korvalinx
