#include "app/CaptionFit.h"

#include <QFontMetrics>
#include <algorithm>

#include "app/Fonts.h"

namespace korvalinx {
namespace {

// Where the text of `label` must end: its box's right edge, or two spaces
// before the nearest sibling that begins to its right on its text line. A
// gap no wider than the space between the words of one caption reads as one
// phrase ("Input Port (Hex) Granularity").
int RoomRight(const QLabel* label, const QFontMetrics& metrics) {
  const int textHeight = metrics.height();
  const int gap = 2 * metrics.horizontalAdvance(QLatin1Char(' '));
  const QRect box = label->geometry();
  int right = box.left() + box.width();
  const QWidget* parent = label->parentWidget();
  if (!parent) return right;
  for (const QWidget* other : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    const QRect g = other->geometry();
    const bool onTheLine = g.top() < box.top() + textHeight && g.bottom() >= box.top();
    if (other != label && onTheLine && g.left() > box.left())
      right = std::min(right, g.left() - gap);
  }
  return right;
}

}  // namespace

void FitCaption(QLabel* label) {
  const QFont font = label->font();
  const QFontMetrics metrics(font);
  const int room = RoomRight(label, metrics) - label->x();
  if (metrics.horizontalAdvance(label->text()) <= room) return;
  label->setFont(
      DesignFont({"MS Sans Serif", "Liberation Sans Narrow", font.family()}, font.pixelSize()));
}

}  // namespace korvalinx
