// Capturing from the window: the Sample button, continuous sampling, the
// calibration behind the splash panel, and the two fields that feed the
// analyzer state as they are typed.

#include <QKeyEvent>

#include "acquire/Calibration.h"
#include "acquire/CaptureSamples.h"
#include "acquire/CaptureSettings.h"
#include "app/DisplaySurface.h"
#include "app/RunCapture.h"
#include "app/TMain.h"
#include "core/AnalyzerState.h"
#include "core/Divisor.h"
#include "core/FormatSampleTime.h"
#include "platform/InputHold.h"
#include "platform/MessageBox.h"
#include "port/PortText.h"
#include "view/InputIndicator.h"
#include "view/PaintDisplay.h"
#include "view/PlotFrame.h"
#include "view/RedrawView.h"

namespace korvalinx {
namespace {

constexpr const char* kWarningCaption = "Warning, your computer may get unresponsive";

}  // namespace

void TMain::txtRateChange() {
  UpdateDivisorFromText(analyzerState, txtRate->text().toStdString());
}

void TMain::txtInputPortChange() {
  analyzerState.portBase =
      PortBaseFromText(txtInputPort->text().toStdString(), analyzerState.portBase);
}

void TMain::captureWithFields() {
  const CaptureSettings c = CaptureSettingsFromFields(
      txtDelay->text().toStdString(), txtRate->text().toStdString(),
      txtChannel->text().toStdString(), txtSamplesize->text().toStdString());
  analyzerState.divisor = static_cast<uint32_t>(c.divisor);
  // Escape during a continuous capture also ends continuous sampling: the
  // box is unticked in the Escape's place among the held input, so its
  // click handler runs as for any untick.
  auto endContinuous = [this] {
    if (chkContinousSample->isChecked())
      InputHold::defer([this] { chkContinousSample->setChecked(false); });
  };
  RunCapture(this, surface_, endContinuous,
             [c] { CaptureSamples(c.delay, c.divisor, c.mask, c.count); });
}

// Escape ends continuous sampling between two of its captures as well (during
// one, the capture's own Escape does): the box is unticked through its click
// handler, as by a click. Keys that the focused control does not use reach
// the window here.
void TMain::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier &&
      chkContinousSample->isChecked()) {
    chkContinousSample->setChecked(false);
    return;
  }
  QMainWindow::keyPressEvent(event);
}

void TMain::gbSampleClick() {
  AnalyzerState& s = analyzerState;
  if (s.firstUseWarning) {
    if (ShowMessage(
            "Please read the help on Sampling in the absense of a suitable triggering signal",
            kWarningCaption, MessageButtons::OkCancel) != MessageResult::Ok)
      return;
    s.firstUseWarning = 0;
  }
  if (chkContinousSample->isChecked()) return;  // the continuous mode captures
  captureWithFields();
  Repaint();
}

void TMain::tmrContinousSampleTimer() {
  if (chkContinousSample->isChecked()) {
    // No tick can queue up behind a long capture.
    tmrContinousSample->setEnabled(false);
    captureWithFields();
    tmrContinousSample->setEnabled(true);
    // Continuous mode is a live view: show each new capture at once. The
    // full repaint ends with the live input boxes.
    Repaint();
    return;
  }
  DrawInputIndicator(canvas_, {outerWidth(), outerHeight()}, analyzerState.portBase);
  surface_->blit();
}

void TMain::chkContinousSampleClick() {
  AnalyzerState& s = analyzerState;
  if (!s.firstUseWarning) return;
  if (ShowMessage(
          "Please read the help on continious sampling in the absense of a suitable triggering "
          "signal",
          kWarningCaption, MessageButtons::OkCancel) == MessageResult::Ok) {
    s.firstUseWarning = 0;
    return;
  }
  // Cancel undoes the click; putting the box back must not ask again.
  auto handler = chkContinousSample->onClick();
  chkContinousSample->setOnClick(nullptr);
  chkContinousSample->setChecked(!chkContinousSample->isChecked());
  chkContinousSample->setOnClick(handler);
}

void TMain::tmrAuthorTimer() {
  tmrAuthor->setEnabled(false);
  analyzerState.microsPerRead = MeasureMicrosPerRead(analyzerState.portBase, calibrationClock);
  char text[kTimeTextSize];
  txtGranularity->setText(QString::fromLatin1(FormatSampleTime(1, text, kTimeTextSize)));
  pnlAuthor->setVisible(false);
}

void TMain::imgIconClick() {
  tmrAuthor->setEnabled(false);
  tmrAuthor->setEnabled(true);  // the countdown starts afresh
  pnlAuthor->setVisible(true);
}

void TMain::imgAuthorClick() {
  pnlAuthor->setVisible(false);
  Repaint();
}

void TMain::About1Click() {
  tmrAuthor->setEnabled(false);
  pnlAuthor->setVisible(true);
  tmrAuthor->setEnabled(true);
  Repaint();
}

}  // namespace korvalinx
