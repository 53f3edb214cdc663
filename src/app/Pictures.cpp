#include "app/Pictures.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QVector>

#include "app/Fonts.h"

namespace korvalinx {
namespace {

// The 16 colours of the classic VGA palette.
QVector<QRgb> VgaPalette() {
  return {0xFF000000, 0xFF800000, 0xFF008000, 0xFF808000, 0xFF000080, 0xFF800080,
          0xFF008080, 0xFFC0C0C0, 0xFF808080, 0xFFFF0000, 0xFF00FF00, 0xFFFFFF00,
          0xFF0000FF, 0xFFFF00FF, 0xFF00FFFF, 0xFFFFFFFF};
}

// A square wave across `width` pixels starting at x, between two levels.
QPainterPath SquareWave(qreal x, qreal width, qreal high, qreal low, const QVector<int>& edges) {
  QPainterPath path;
  bool up = false;
  path.moveTo(x, low);
  for (int e : edges) {
    const qreal ex = x + e;
    if (ex > x + width) break;
    path.lineTo(ex, up ? high : low);
    up = !up;
    path.lineTo(ex, up ? high : low);
  }
  path.lineTo(x + width, up ? high : low);
  return path;
}

// A little screen with two traces: the program's mark.
QImage DrawIcon() {
  QImage image(32, 32, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setPen(QPen(QColor(0xC0, 0xC0, 0xC0), 1));
  p.setBrush(QColor(0x00, 0x00, 0x00));
  p.drawRect(1, 3, 29, 25);
  p.setPen(QPen(QColor(0x00, 0xFF, 0x00), 2));
  p.setBrush(Qt::NoBrush);
  p.drawPath(SquareWave(3, 26, 7, 14, {3, 7, 10, 16, 19, 22}));
  p.setPen(QPen(QColor(0xFF, 0xFF, 0x00), 2));
  p.drawPath(SquareWave(3, 26, 18, 25, {6, 13, 20}));
  p.setPen(QPen(QColor(0xFF, 0x00, 0x00), 1));
  p.drawLine(21, 5, 21, 26);
  p.end();
  return image.convertToFormat(QImage::Format_Indexed8, VgaPalette(), Qt::ThresholdDither);
}

}  // namespace

QImage MakeWindowIcon() {
  return DrawIcon();
}
QImage MakeIconPicture() {
  return DrawIcon();
}

QImage MakeSplashPicture() {
  QImage image(600, 211, QImage::Format_RGB888);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, 211);
  sky.setColorAt(0, QColor(10, 24, 40));
  sky.setColorAt(1, QColor(2, 6, 12));
  p.fillRect(image.rect(), sky);

  // A faint grid, as on a scope's screen.
  p.setPen(QPen(QColor(30, 60, 70), 1));
  for (int x = 0; x < 600; x += 25) p.drawLine(x, 0, x, 211);
  for (int y = 6; y < 211; y += 25) p.drawLine(0, y, 600, y);

  // Eight traces of different rhythm behind the name.
  const QColor colours[] = {QColor(0, 255, 0), QColor(0, 200, 255), QColor(255, 210, 0),
                            QColor(255, 90, 90)};
  for (int ch = 0; ch < 8; ++ch) {
    QVector<int> edges;
    const int period = 9 + ch * 7;
    for (int e = (ch * 13) % period; e < 600; e += period / 2 + (ch % 3) * 3) edges << e;
    QColor c = colours[ch % 4];
    c.setAlpha(ch < 4 ? 110 : 60);
    p.setPen(QPen(c, 1.5));
    const qreal top = 112 + ch * 12;
    p.drawPath(SquareWave(0, 600, top, top + 8, edges));
  }

  // The name and what it is.
  QFont title = DesignFont("Liberation Sans", 64, true);
  p.setFont(title);
  p.setPen(QColor(0, 0, 0, 160));
  p.drawText(QRect(23, 17, 560, 80), Qt::AlignLeft | Qt::AlignVCenter, "Korvalinx");
  p.setPen(QColor(120, 255, 120));
  p.drawText(QRect(20, 14, 560, 80), Qt::AlignLeft | Qt::AlignVCenter, "Korvalinx");
  p.setFont(DesignFont("Liberation Sans", 17));
  p.setPen(QColor(200, 220, 230));
  p.drawText(QRect(24, 84, 560, 24), Qt::AlignLeft | Qt::AlignVCenter,
             "Eight-channel logic analyser for the PC parallel port");

  // Two markers, as the user sets them.
  p.setPen(QPen(QColor(255, 40, 40), 1.5));
  p.drawLine(QPointF(395, 108), QPointF(395, 205));
  p.drawLine(QPointF(505, 108), QPointF(505, 205));
  p.end();
  return image;
}

}  // namespace korvalinx
