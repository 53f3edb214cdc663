#pragma once
#include <QPushButton>

#include "acquire/SampleButton.h"

namespace korvalinx {

// What a capture shows on the Sample button while it runs. The capture runs
// on a thread of its own, so each change is made on the window's thread,
// which the capture waits for; the button is repainted at once, caption and
// enabled look alike, so that it reads "Sampling" and looks disabled before
// the first read of the capture.
class SampleButtonOnWindow : public SampleButton {
 public:
  explicit SampleButtonOnWindow(QPushButton* button) : button_(button) {}
  void setCaption(const char* caption) override;
  void setEnabled(bool enabled) override;

 private:
  template <typename Change>
  void onWindowThread(Change change);
  QPushButton* button_;
};

}  // namespace korvalinx
