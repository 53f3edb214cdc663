// A build tool: writes the window icon as the PNG files of the desktop's
// icon theme, so that the menu shows the picture the window shows. The
// 32 x 32 pixel art is enlarged by repeating pixels (nearest neighbour),
// without smoothing.
//
//   korvalinx-icon-files <folder> <name> <size>...
// writes <folder>/<size>x<size>/apps/<name>.png for every size.

#include <QDir>
#include <QImage>
#include <QString>
#include <cstdio>

#include "app/Pictures.h"

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: %s <folder> <name> <size>...\n", argv[0]);
    return 2;
  }
  const QString folder = QString::fromLocal8Bit(argv[1]);
  const QString name = QString::fromLocal8Bit(argv[2]);
  const QImage icon = korvalinx::MakeWindowIcon().convertToFormat(QImage::Format_ARGB32);
  for (int i = 3; i < argc; ++i) {
    const int size = QString::fromLocal8Bit(argv[i]).toInt();
    if (size <= 0) {
      std::fprintf(stderr, "%s: %s is not a size\n", argv[0], argv[i]);
      return 2;
    }
    const QString sub = QStringLiteral("%1/%2x%2/apps").arg(folder).arg(size);
    if (!QDir().mkpath(sub)) return 1;
    const QImage scaled = icon.scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    if (!scaled.save(sub + "/" + name + ".png", "PNG")) {
      std::fprintf(stderr, "%s: cannot write %s\n", argv[0], qPrintable(sub));
      return 1;
    }
  }
  return 0;
}
