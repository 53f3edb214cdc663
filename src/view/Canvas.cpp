#include "view/Canvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStringList>
#include <algorithm>
#include <cstdlib>

namespace korvalinx {
namespace {

// Our colours keep red in the low byte; a Format_RGB32 pixel is 0xFFRRGGBB.
uint32_t ToPixel(uint32_t colour) {
  return 0xFF000000u | ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}

uint32_t FromPixel(uint32_t pixel) {
  return ((pixel & 0xFF) << 16) | (pixel & 0xFF00) | ((pixel >> 16) & 0xFF);
}

QColor ToQColor(uint32_t colour) {
  return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

}  // namespace

Canvas::Canvas(QImage* surface) {
  setSurface(surface);
}

void Canvas::setSurface(QImage* surface) {
  surface_ = surface;
  if (surface_ && !surface_->isNull() && surface_->format() != QImage::Format_RGB32) {
    surface_->convertTo(QImage::Format_RGB32);
  }
}

void Canvas::setFont(const QString& family, int points) {
  // Screen text at 96 dpi, rounded the way the old point-to-pixel rule was.
  const int pixels =
      std::max(1, static_cast<int>((std::abs(static_cast<int64_t>(points)) * 96 + 36) / 72));
  QFont font;
  font.setFamilies(
      QStringList{family, QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
  font.setPixelSize(pixels);
  // Plain two-colour glyphs, as on the old screen: every pixel of a number is
  // either the text colour or the background.
  font.setStyleStrategy(QFont::NoAntialias);
  font_ = font;
}

void Canvas::moveTo(int x, int y) {
  x_ = x;
  y_ = y;
}

void Canvas::lineTo(int x, int y) {
  const int64_t x0 = x_, y0 = y_, x1 = x, y1 = y;
  x_ = x;
  y_ = y;
  if (y0 == y1) {
    if (x1 > x0) horizontalRun(x0, x1 - 1, y0, penColour_);
    if (x1 < x0) horizontalRun(x1 + 1, x0, y0, penColour_);
  } else if (x0 == x1) {
    if (y1 > y0) verticalRun(x0, y0, y1 - 1, penColour_);
    if (y1 < y0) verticalRun(x0, y1 + 1, y0, penColour_);
  } else {
    slantedLine(x0, y0, x1, y1);
  }
}

void Canvas::rectangle(int left, int top, int right, int bottom) {
  int64_t l = std::min(left, right), r = std::max(left, right);
  int64_t t = std::min(top, bottom), b = std::max(top, bottom);
  if (r == l || b == t) return;
  // Border on pixels l..r-1, t..b-1.
  horizontalRun(l, r - 1, t, penColour_);
  horizontalRun(l, r - 1, b - 1, penColour_);
  verticalRun(l, t, b - 1, penColour_);
  verticalRun(r - 1, t, b - 1, penColour_);
  if (!surface_ || surface_->isNull()) return;
  const int64_t fillTop = std::max<int64_t>(t + 1, 0);
  const int64_t fillBottom = std::min<int64_t>(b - 2, surface_->height() - 1);
  for (int64_t y = fillTop; y <= fillBottom; ++y) horizontalRun(l + 1, r - 2, y, brushColour_);
}

void Canvas::textOut(int x, int y, const QString& text) {
  if (!surface_ || surface_->isNull() || text.isEmpty()) return;
  QPainter painter(surface_);
  painter.setFont(font_);
  const QFontMetrics metrics = painter.fontMetrics();
  painter.fillRect(QRect(x, y, metrics.horizontalAdvance(text), metrics.height()),
                   ToQColor(brushColour_));
  painter.setPen(ToQColor(textColour_));
  painter.drawText(x, y + metrics.ascent(), text);
}

uint32_t Canvas::pixel(int x, int y) const {
  if (!surface_ || !surface_->valid(x, y)) return 0xFFFFFFFFu;
  const auto* line = reinterpret_cast<const uint32_t*>(surface_->constScanLine(y));
  return FromPixel(line[x]);
}

void Canvas::horizontalRun(int64_t x0, int64_t x1, int64_t y, uint32_t colour) {
  if (!surface_ || y < 0 || y >= surface_->height()) return;
  x0 = std::max<int64_t>(x0, 0);
  x1 = std::min<int64_t>(x1, surface_->width() - 1);
  if (x1 < x0) return;
  auto* line = reinterpret_cast<uint32_t*>(surface_->scanLine(static_cast<int>(y)));
  std::fill(line + x0, line + x1 + 1, ToPixel(colour));
}

void Canvas::verticalRun(int64_t x, int64_t y0, int64_t y1, uint32_t colour) {
  if (!surface_ || x < 0 || x >= surface_->width()) return;
  y0 = std::max<int64_t>(y0, 0);
  y1 = std::min<int64_t>(y1, surface_->height() - 1);
  if (y1 < y0) return;
  const uint32_t value = ToPixel(colour);
  uchar* bits = surface_->bits();
  const qsizetype stride = surface_->bytesPerLine();
  for (int64_t y = y0; y <= y1; ++y) reinterpret_cast<uint32_t*>(bits + y * stride)[x] = value;
}

void Canvas::slantedLine(int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
  if (!surface_ || surface_->isNull()) return;
  // Step along the longer axis; the other coordinate is the nearest pixel to
  // the exact line (halves away from the start). Only the steps whose major
  // coordinate lies on the surface are walked, so far-away ends cost nothing.
  const int64_t dx = x1 - x0, dy = y1 - y0;
  const bool alongX = std::llabs(dx) >= std::llabs(dy);
  const int64_t length = alongX ? std::llabs(dx) : std::llabs(dy);
  const int64_t minorSpan = alongX ? std::llabs(dy) : std::llabs(dx);
  const int64_t majorStart = alongX ? x0 : y0, minorStart = alongX ? y0 : x0;
  const int64_t majorSign = (alongX ? dx : dy) > 0 ? 1 : -1;
  const int64_t minorSign = (alongX ? dy : dx) > 0 ? 1 : -1;
  const int64_t majorSize = alongX ? surface_->width() : surface_->height();
  const int64_t minorSize = alongX ? surface_->height() : surface_->width();

  int64_t tFirst = 0, tLast = length - 1;
  if (majorSign > 0) {
    tFirst = std::max(tFirst, -majorStart);
    tLast = std::min(tLast, majorSize - 1 - majorStart);
  } else {
    tFirst = std::max(tFirst, majorStart - (majorSize - 1));
    tLast = std::min(tLast, majorStart);
  }
  const uint32_t value = ToPixel(penColour_);
  uchar* bits = surface_->bits();
  const qsizetype stride = surface_->bytesPerLine();
  for (int64_t t = tFirst; t <= tLast; ++t) {
    const auto offset = static_cast<int64_t>((static_cast<__int128>(2) * t * minorSpan + length) /
                                             (static_cast<__int128>(2) * length));
    const int64_t minor = minorStart + minorSign * offset;
    if (minor < 0 || minor >= minorSize) continue;
    const int64_t major = majorStart + majorSign * t;
    const int64_t x = alongX ? major : minor, y = alongX ? minor : major;
    reinterpret_cast<uint32_t*>(bits + y * stride)[x] = value;
  }
}

}  // namespace korvalinx
