#pragma once
// The program's one window. It holds the layout and binds each element's
// events to its handler; the work each handler does lives in the module it
// belongs to (acquire, view, files, port).

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "acquire/SampleButton.h"
#include "platform/CheckBox.h"
#include "platform/ClickableImage.h"
#include "platform/ColorDialog.h"
#include "platform/ColorPanel.h"
#include "platform/FileDialog.h"
#include "platform/MenuBar.h"
#include "platform/ScrollBar.h"
#include "platform/Timer.h"
#include "view/Canvas.h"
#include "view/Navigation.h"

namespace korvalinx {

class DisplaySurface;
class SettingsElement;

// What differs between the program and its tests.
struct WindowOptions {
  // Where the settings file lives (next to the program, or in the user's
  // configuration folder when the program's folder is not writable).
  std::string settingsPath;
  // How File, Exit ends the process.
  std::function<void()> exitProcess;
  // The clock the calibration reads (tests use a fake one).
  int64_t (*calibrationClock)() = nullptr;
  // The folder Help looks in after the current one (empty: the running
  // program's folder).
  std::string programFolder;
};

// An element of the window in component order, as the settings walk it.
struct Component {
  std::string name;
  QObject* object;
};

class TMain : public QMainWindow {
  Q_OBJECT
 public:
  explicit TMain(WindowOptions options);
  ~TMain() override;

  // Elements, in component order.
  ScrollBar* scrlDisplay;
  QGroupBox* gbDisplay;
  QLabel* lblFirst;
  QLabel* lbl1;
  QLabel* lblNumSamples;
  QLabel* lbl2;
  QLabel* Label1;
  ClickableImage* imgIcon;
  QLabel* lblMark1;
  QLabel* lblMark2;
  QLabel* Label5;
  QLabel* Label6;
  QLabel* Label8;
  QLabel* lblDelta;
  QLabel* Label10;
  QPushButton* cmdZoomIN;
  QPushButton* cmdZoomOUT;
  QPushButton* cmdSample;
  QPushButton* cmdStats;
  CheckBox* chkContinousSample;
  QPushButton* cmdZoomMarked;
  QGroupBox* gbSampleSettings;
  QLabel* lbl3;
  QLabel* lbl4;
  QLabel* lbl5;
  QLabel* Label2;
  QLabel* Label3;
  QLabel* Label4;
  QLabel* Label7;
  QLabel* Label9;
  QLineEdit* txtDelay;
  QLineEdit* txtRate;
  QLineEdit* txtChannel;
  QLineEdit* txtInputPort;
  QPushButton* cmdSampleSettingsOK;
  ColorPanel* pnlForegroundColor;
  ColorPanel* pnlBackgroundColor;
  QLineEdit* txtSamplesize;
  QLineEdit* txtGranularity;
  QFrame* pnlAuthor;
  ClickableImage* imgAuthor;
  QLabel* Label11;
  QLabel* lblBuild;
  Timer* tmrAuthor;
  QMenuBar* MainMenu1;
  QMenu* File1;
  QAction* Load1;
  QAction* Import1;
  QAction* Save1;
  QAction* Exit1;
  QAction* Settings1;
  QMenu* Help1;
  QAction* About1;
  QAction* Help2;
  std::unique_ptr<FileDialog> OpenDialog1;
  std::unique_ptr<FileDialog> SaveDialog1;
  std::unique_ptr<ColorDialog> ColorDialog1;
  Timer* tmrContinousSample;

  // The clock of the calibration.
  int64_t (*calibrationClock)();

  // The view window as the incremental redraw last drew it.
  int32_t previousFirst = 0;
  int32_t previousCount = 100;

  const std::vector<Component>& components() const { return components_; }

  // Handlers.
  void FormCreate();
  void FormClose();
  void FormPaint();
  void FormResize();
  void FormMouseUp(Qt::MouseButton button, int x, int y);
  void scrlDisplayScroll(int code, int newPosition);
  void imgIconClick();
  void cmdZoomINClick();
  void cmdZoomOUTClick();
  void gbSampleClick();
  void cmdStatsClick();
  void chkContinousSampleClick();
  void cmdZoomMarkedClick();
  void txtRateChange();
  void txtInputPortChange();
  void cmdSampleSettingsOKClick();
  void pnlForegroundColorClick();
  void pnlBackgroundColorClick();
  void imgAuthorClick();
  void tmrAuthorTimer();
  void tmrContinousSampleTimer();
  void Load1Click();
  void Import1Click();
  void Save1Click();
  void Exit1Click();
  void Settings1Click();
  void About1Click();
  void Help2Click();

  // Starting state of the view: scroll bar range and position, the
  // previously drawn view and the visible sample count.
  void InitView();

  // Invalidates the whole window and paints it before returning.
  void Repaint();

  // The outer size (frame, caption and menu bar included) that the drawing
  // geometry uses.
  int outerWidth() const;
  int outerHeight() const;

  // The persistent drawing surface of the client area.
  const QImage& surfaceImage() const;
  Canvas& canvas() { return canvas_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void buildLayout();
  void bindEvents();
  void redrawAndBlit();  // RedrawView to the current view, separators, blit
  // The time labels from the current time base: Start and Length, and the
  // marks' three labels once a mouse release has written them.
  void showTimes();
  void showMarkTimes();
  void applyZoom(ZoomState (*zoom)(ZoomState));
  void chooseColour(ColorPanel* panel);
  void reportFileFailure(const std::string& message);
  // Reads the four capture fields (storing the divisor) and captures.
  void captureWithFields();
  std::vector<SettingsElement*> settingsElements();

  template <typename T>
  T* add(const char* name, QWidget* parent);

  WindowOptions options_;
  DisplaySurface* surface_;
  Canvas canvas_;
  std::vector<Component> components_;
  std::vector<std::unique_ptr<SettingsElement>> settingsAdapters_;
  std::unique_ptr<SampleButton> sampleButton_;
  bool markTimesShown_ = false;
};

// The one window; set by CreateMainWindow.
extern TMain* Main;

// Creates the window and runs its open sequence (the window is not shown).
TMain* CreateMainWindow(WindowOptions options);

}  // namespace korvalinx
