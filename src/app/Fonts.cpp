#include "app/Fonts.h"

#include <QFontDatabase>

namespace korvalinx {

QFont DesignFont(const QString& family, int pixelHeight, bool bold) {
  return DesignFont(
      QStringList{family, QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")},
      pixelHeight, bold);
}

QFont DesignFont(const QStringList& families, int pixelHeight, bool bold) {
  QString face = families.value(0);
  for (const QString& candidate : families) {
    if (QFontDatabase::hasFamily(candidate)) {
      face = candidate;
      break;
    }
  }
  QFont font(face);
  font.setPixelSize(pixelHeight);
  font.setBold(bold);
  return font;
}

}  // namespace korvalinx
