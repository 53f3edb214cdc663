#pragma once
// What a capture needs of the Sample button: the window implements it, so
// the capture itself knows nothing of widgets.

namespace korvalinx {

class SampleButton {
 public:
  virtual ~SampleButton() = default;
  virtual void setCaption(const char* caption) = 0;
  virtual void setEnabled(bool enabled) = 0;
};

// The button that CaptureSamples relabels; none until the window registers.
void SetSampleButton(SampleButton* button);

}  // namespace korvalinx
