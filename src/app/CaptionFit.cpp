#include "app/CaptionFit.h"

#include <QFontMetrics>
#include <algorithm>

#include "app/Fonts.h"

namespace korvalinx {
namespace {

// How far apart a caption must end from an element to its right. Beside
// text of its own size a gap no wider than the space between the words of
// one caption reads as one phrase ("Input Port (Hex) Granularity"), so it
// takes two spaces; beside anything else one space parts them.
int GapBefore(const QWidget* other, const QFont& font, const QFontMetrics& metrics) {
  const int space = metrics.horizontalAdvance(QLatin1Char(' '));
  const auto* text = qobject_cast<const QLabel*>(other);
  return text && text->font().pixelSize() == font.pixelSize() ? 2 * space : space;
}

// Where the text of `label` must end: its box's right edge, or a gap before
// the nearest element that begins to its right on its text line.
int RoomRight(const QLabel* label, const QFontMetrics& metrics) {
  const QRect box = label->geometry();
  int right = box.left() + box.width();
  const QWidget* parent = label->parentWidget();
  if (!parent) return right;
  for (const QWidget* other : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    const QRect g = other->geometry();
    const bool onTheLine = g.top() < box.top() + metrics.height() && g.bottom() >= box.top();
    if (other != label && onTheLine && g.left() > box.left())
      right = std::min(right, g.left() - GapBefore(other, label->font(), metrics));
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
