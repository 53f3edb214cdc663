#pragma once
#include <QFont>
#include <QString>
#include <QStringList>

namespace korvalinx {

// A font of the window's design: `family` where it is installed, otherwise
// a metric-compatible stand-in (Liberation Sans, then DejaVu Sans), at a
// character height in pixels.
QFont DesignFont(const QString& family, int pixelHeight, bool bold = false);

// The same with stand-ins of one's own choosing, tried in order.
QFont DesignFont(const QStringList& families, int pixelHeight, bool bold = false);

}  // namespace korvalinx
