#include "app/SampleButtonOnWindow.h"

#include <QThread>

namespace korvalinx {

template <typename Change>
void SampleButtonOnWindow::onWindowThread(Change change) {
  auto changeAndPaint = [this, &change] {
    change();
    if (button_->isVisible()) button_->repaint();
  };
  if (QThread::currentThread() == button_->thread())
    changeAndPaint();
  else
    QMetaObject::invokeMethod(button_, changeAndPaint, Qt::BlockingQueuedConnection);
}

void SampleButtonOnWindow::setCaption(const char* caption) {
  onWindowThread([this, caption] { button_->setText(QString::fromLatin1(caption)); });
}

void SampleButtonOnWindow::setEnabled(bool enabled) {
  onWindowThread([this, enabled] { button_->setEnabled(enabled); });
}

}  // namespace korvalinx
