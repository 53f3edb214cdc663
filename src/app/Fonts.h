#pragma once
#include <QFont>
#include <QString>

namespace korvalinx {

// A font of the window's design: `family` where it is installed, otherwise
// a metric-compatible stand-in (Liberation Sans, then DejaVu Sans), at a
// character height in pixels.
QFont DesignFont(const QString& family, int pixelHeight, bool bold = false);

}  // namespace korvalinx
