#include "app/Fonts.h"

#include <QFontDatabase>

namespace korvalinx {

QFont DesignFont(const QString& family, int pixelHeight, bool bold) {
  QString face = family;
  for (const QString& candidate : {family, QStringLiteral("Liberation Sans"),
                                   QStringLiteral("DejaVu Sans")}) {
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
