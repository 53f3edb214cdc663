// The window's layout: every element with its name, place, size, caption
// and font, in component order, and the binding of each event to its
// handler.

#include <QApplication>
#include <QCloseEvent>

#include "acquire/Calibration.h"
#include "app/CaptionFit.h"
#include "app/DisplaySurface.h"
#include "app/Fonts.h"
#include "app/Pictures.h"
#include "app/SampleButtonOnWindow.h"
#include "app/SettingsAdapters.h"
#include "app/TMain.h"

namespace korvalinx {
namespace {

constexpr int kClientWidth = 660;
constexpr int kClientHeight = 572;

// The design's fonts, by their character heights in pixels.
QFont WindowFont() {
  return DesignFont("MS Sans Serif", 11);
}
// The time texts of the value labels are wider than their fixed boxes in a
// plain face at this height; a narrow stand-in keeps them whole.
QFont ValueFont() {
  return DesignFont({"MS Sans Serif", "Liberation Sans Narrow", "Liberation Sans", "DejaVu Sans"},
                    19);
}
QFont EntryFont() {
  return DesignFont("MS Sans Serif", 16);
}
QFont ButtonFont() {
  return DesignFont("MS Sans Serif", 13);
}
QFont PlusFont() {
  return DesignFont("MS Sans Serif", 32);
}
// The symbol font shows the "-" of the zoom-out button as a minus sign; a
// plain face at the same size draws a hyphen of much the same look.
QFont SymbolFont() {
  return DesignFont("Symbol", 32);
}

void Place(QWidget* w, int left, int top, int width, int height) {
  w->setGeometry(left, top, width, height);
}

QLabel* Caption(QLabel* label, const char* text, int left, int top, int width, int height) {
  label->setText(QString::fromLatin1(text));
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Place(label, left, top, width, height);
  return label;
}

// Once a group's elements are placed, each caption fits its box and its
// neighbour on the right.
void FitCaptions(QWidget* group) {
  for (QLabel* label : group->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) FitCaption(label);
}

}  // namespace

TMain* Main = nullptr;

template <typename T>
T* TMain::add(const char* name, QWidget* parent) {
  T* w = new T(parent);
  w->setObjectName(QString::fromLatin1(name));
  components_.push_back({name, w});
  return w;
}

TMain::TMain(WindowOptions options)
    : options_(std::move(options)), surface_(nullptr), canvas_(nullptr) {
  calibrationClock = options_.calibrationClock ? options_.calibrationClock : &MonotonicNowNs;
  setObjectName("Main");
  setWindowTitle("Korvalinx");
  setFont(WindowFont());
  setWindowIcon(QIcon(QPixmap::fromImage(MakeWindowIcon())));
  surface_ = new DisplaySurface(this);
  surface_->setObjectName("clientArea");
  setCentralWidget(surface_);
  canvas_.setSurface(&surface_->image());
  buildLayout();
  bindEvents();
  // The client area of the design; a minimum keeps the plot's width
  // (W - 81) positive whatever the user does to the window.
  resize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
  setMinimumSize(240, 240);
  move(648, 210);
}

TMain::~TMain() {
  SetSampleButton(nullptr);
  if (Main == this) Main = nullptr;
}

void TMain::buildLayout() {
  QWidget* client = surface_;

  scrlDisplay = add<ScrollBar>("scrlDisplay", client);
  Place(scrlDisplay, 18, 306, 600, 17);
  scrlDisplay->setRange(0, 1000);
  scrlDisplay->setSmallChange(1);
  scrlDisplay->setLargeChange(10);
  scrlDisplay->setPosition(0);

  gbDisplay = add<QGroupBox>("gbDisplay", client);
  gbDisplay->setTitle("Display controls");
  Place(gbDisplay, 20, 328, 597, 81);

  lblFirst = Caption(add<QLabel>("lblFirst", gbDisplay), "0", 201, 48, 75, 25);
  lblFirst->setFont(ValueFont());
  lbl1 = Caption(add<QLabel>("lbl1", gbDisplay), "Start", 201, 32, 57, 17);
  lblNumSamples = Caption(add<QLabel>("lblNumSamples", gbDisplay), "0", 283, 48, 75, 25);
  lblNumSamples->setFont(ValueFont());
  lbl2 = Caption(add<QLabel>("lbl2", gbDisplay), "Length", 283, 32, 37, 17);
  Label1 = Caption(add<QLabel>("Label1", gbDisplay), "Zoom", 72, 20, 57, 17);
  Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  imgIcon = add<ClickableImage>("imgIcon", gbDisplay);
  imgIcon->setPixmap(QPixmap::fromImage(MakeIconPicture()));
  Place(imgIcon, 557, 13, 32, 32);  // sized to its picture
  lblMark1 = Caption(add<QLabel>("lblMark1", gbDisplay), "0", 477, 12, 75, 20);
  lblMark1->setFont(ValueFont());
  lblMark2 = Caption(add<QLabel>("lblMark2", gbDisplay), "0", 477, 32, 75, 20);
  lblMark2->setFont(ValueFont());
  Label5 = Caption(add<QLabel>("Label5", gbDisplay), "Mark1", 441, 16, 37, 17);
  Label6 = Caption(add<QLabel>("Label6", gbDisplay), "Mark2", 441, 38, 37, 17);
  Label8 = Caption(add<QLabel>("Label8", gbDisplay), "Delta", 441, 56, 37, 17);
  lblDelta = Caption(add<QLabel>("lblDelta", gbDisplay), "0", 477, 52, 75, 20);
  lblDelta->setFont(ValueFont());
  Label10 = Caption(add<QLabel>("Label10", gbDisplay), "Display", 283, 17, 37, 17);

  auto button = [&](const char* name, QWidget* parent, const char* caption, const QFont& font,
                    int left, int top, int width, int height) {
    QPushButton* b = add<QPushButton>(name, parent);
    b->setText(QString::fromLatin1(caption));
    b->setFont(font);
    Place(b, left, top, width, height);
    return b;
  };
  cmdZoomIN = button("cmdZoomIN", gbDisplay, "+", PlusFont(), 16, 40, 41, 33);
  cmdZoomOUT = button("cmdZoomOUT", gbDisplay, "-", SymbolFont(), 68, 40, 41, 33);
  cmdSample = button("cmdSample", gbDisplay, "Sample", ButtonFont(), 365, 32, 73, 29);
  cmdStats = button("cmdStats", gbDisplay, "Stats", ButtonFont(), 365, 8, 73, 25);
  chkContinousSample = add<CheckBox>("chkContinousSample", gbDisplay);
  chkContinousSample->setText("Continous");
  Place(chkContinousSample, 365, 62, 73, 17);
  cmdZoomMarked = button("cmdZoomMarked", gbDisplay, "Marked", ButtonFont(), 120, 40, 61, 33);
  FitCaptions(gbDisplay);
  // The window's tab stops: the scroll bar first (it has the focus when the
  // window opens), then the display group's, then the settings panel's.
  QWidget::setTabOrder(scrlDisplay, cmdZoomIN);
  QWidget::setTabOrder(cmdZoomIN, cmdZoomOUT);
  QWidget::setTabOrder(cmdZoomOUT, cmdSample);
  QWidget::setTabOrder(cmdSample, cmdStats);
  QWidget::setTabOrder(cmdStats, chkContinousSample);
  QWidget::setTabOrder(chkContinousSample, cmdZoomMarked);

  gbSampleSettings = add<QGroupBox>("gbSampleSettings", client);
  gbSampleSettings->setTitle("Sample settings");
  gbSampleSettings->setFont(WindowFont());
  Place(gbSampleSettings, 8, 5, 407, 133);
  lbl3 = Caption(add<QLabel>("lbl3", gbSampleSettings), "Pre trigger delay", 96, 20, 85, 17);
  lbl4 = Caption(add<QLabel>("lbl4", gbSampleSettings), "Divisor", 14, 70, 59, 19);
  lbl5 = Caption(add<QLabel>("lbl5", gbSampleSettings), "Trigger Channel", 12, 20, 81, 17);
  Label2 = Caption(add<QLabel>("Label2", gbSampleSettings), "Input Port (Hex)", 94, 70, 81, 17);
  Label3 = Caption(add<QLabel>("Label3", gbSampleSettings), "Foreground Color", 269, 20, 85, 17);
  Label4 = Caption(add<QLabel>("Label4", gbSampleSettings), "Background Color", 267, 70, 85, 17);
  Label7 = Caption(add<QLabel>("Label7", gbSampleSettings), "Samplesize", 176, 20, 57, 17);
  Label9 = Caption(add<QLabel>("Label9", gbSampleSettings), "Granularity", 176, 68, 57, 17);
  auto edit = [&](const char* name, const char* text, int left, int top, int width) {
    QLineEdit* e = add<QLineEdit>(name, gbSampleSettings);
    e->setText(QString::fromLatin1(text));
    e->setFont(EntryFont());
    Place(e, left, top, width, 28);
    return e;
  };
  txtDelay = edit("txtDelay", "1000", 96, 37, 57);
  txtRate = edit("txtRate", "0", 12, 88, 57);
  txtChannel = edit("txtChannel", "1", 12, 37, 57);
  txtInputPort = edit("txtInputPort", "378", 96, 85, 57);
  cmdSampleSettingsOK =
      button("cmdSampleSettingsOK", gbSampleSettings, "OK", ButtonFont(), 345, 89, 57, 33);
  pnlForegroundColor = add<ColorPanel>("pnlForegroundColor", gbSampleSettings);
  Place(pnlForegroundColor, 267, 40, 56, 26);
  pnlForegroundColor->setColor(0x00FF00);
  pnlBackgroundColor = add<ColorPanel>("pnlBackgroundColor", gbSampleSettings);
  Place(pnlBackgroundColor, 267, 85, 56, 26);
  pnlBackgroundColor->setColor(0x000000);
  txtSamplesize = edit("txtSamplesize", "1000", 176, 37, 65);
  txtGranularity = edit("txtGranularity", "1 us", 176, 85, 65);
  txtGranularity->setEnabled(false);
  FitCaptions(gbSampleSettings);
  for (QWidget* w :
       {static_cast<QWidget*>(pnlForegroundColor), static_cast<QWidget*>(pnlBackgroundColor)})
    w->setFocusPolicy(Qt::TabFocus);
  QWidget::setTabOrder(cmdZoomMarked, txtDelay);
  QWidget::setTabOrder(txtDelay, txtRate);
  QWidget::setTabOrder(txtRate, txtChannel);
  QWidget::setTabOrder(txtChannel, txtInputPort);
  QWidget::setTabOrder(txtInputPort, cmdSampleSettingsOK);
  QWidget::setTabOrder(cmdSampleSettingsOK, pnlForegroundColor);
  QWidget::setTabOrder(pnlForegroundColor, pnlBackgroundColor);
  QWidget::setTabOrder(pnlBackgroundColor, txtSamplesize);
  QWidget::setTabOrder(txtSamplesize, txtGranularity);
  gbSampleSettings->setVisible(false);

  pnlAuthor = add<QFrame>("pnlAuthor", client);
  pnlAuthor->setFrameStyle(QFrame::Panel | QFrame::Raised);
  pnlAuthor->setAutoFillBackground(true);
  Place(pnlAuthor, 35, 80, 611, 291);
  imgAuthor = add<ClickableImage>("imgAuthor", pnlAuthor);
  imgAuthor->setPixmap(QPixmap::fromImage(MakeSplashPicture()));
  Place(imgAuthor, 12, 12, 589, 201);
  Label11 = add<QLabel>("Label11", pnlAuthor);
  Label11->setText("Build:");
  Label11->move(70, 230);
  Label11->adjustSize();
  lblBuild = add<QLabel>("lblBuild", pnlAuthor);
  lblBuild->setText("0.0.0.0");
  lblBuild->move(100, 230);
  lblBuild->adjustSize();

  tmrAuthor = new Timer(3000, this);
  tmrAuthor->setObjectName("tmrAuthor");
  components_.push_back({"tmrAuthor", tmrAuthor});

  MainMenu1 = new MenuBar(this);
  setMenuBar(MainMenu1);
  MainMenu1->setObjectName("MainMenu1");
  components_.push_back({"MainMenu1", MainMenu1});
  File1 = MainMenu1->addMenu("File");
  File1->setObjectName("File1");
  Load1 = File1->addAction("Load");
  Import1 = File1->addAction("Import");
  Save1 = File1->addAction("Save");
  Exit1 = File1->addAction("Exit");
  Settings1 = MainMenu1->addAction("Settings");
  Help1 = MainMenu1->addMenu("Help");
  Help1->setObjectName("Help1");
  About1 = Help1->addAction("About");
  Help2 = Help1->addAction("Help");
  const std::pair<const char*, QObject*> items[] = {
      {"File1", File1}, {"Load1", Load1},   {"Import1", Import1},
      {"Save1", Save1}, {"Exit1", Exit1},   {"Settings1", Settings1},
      {"Help1", Help1}, {"About1", About1}, {"Help2", Help2}};
  for (const auto& [name, object] : items) {
    object->setObjectName(name);
    components_.push_back({name, object});
  }

  OpenDialog1 = std::make_unique<FileDialog>(FileDialogKind::Open, this);
  OpenDialog1->defaultExt = "*.kvx";
  OpenDialog1->filter = "Korvalinx files|*.kvx|Tallymark Event Files|*.evt";
  components_.push_back({"OpenDialog1", nullptr});
  SaveDialog1 = std::make_unique<FileDialog>(FileDialogKind::Save, this);
  SaveDialog1->defaultExt = "*.kvx";
  SaveDialog1->filter = "Korvalinx files|*.kvx";
  components_.push_back({"SaveDialog1", nullptr});
  ColorDialog1 = std::make_unique<ColorDialog>(this);
  components_.push_back({"ColorDialog1", nullptr});

  tmrContinousSample = new Timer(100, this);
  tmrContinousSample->setObjectName("tmrContinousSample");
  components_.push_back({"tmrContinousSample", tmrContinousSample});

  // The controls on the client area paint their own background, so that a
  // change inside one of them (a label's text, the Sample button's caption)
  // repaints that control only and never runs the window's full repaint.
  for (QWidget* w : {static_cast<QWidget*>(scrlDisplay), static_cast<QWidget*>(gbDisplay),
                     static_cast<QWidget*>(gbSampleSettings), static_cast<QWidget*>(pnlAuthor)}) {
    w->setAutoFillBackground(true);
    // A release over a control belongs to that control: it never reaches
    // the client area, where it would set a mark.
    w->setAttribute(Qt::WA_NoMousePropagation);
  }

  for (const Component& c : components_)
    settingsAdapters_.push_back(MakeSettingsElement(c.name, c.object));
  sampleButton_ = std::make_unique<SampleButtonOnWindow>(cmdSample);
  SetSampleButton(sampleButton_.get());
}

void TMain::bindEvents() {
  surface_->onPaint = [this] { FormPaint(); };
  surface_->onMouseUp = [this](Qt::MouseButton b, int x, int y) { FormMouseUp(b, x, y); };
  scrlDisplay->setOnScroll([this](int code, int pos) { scrlDisplayScroll(code, pos); });
  imgIcon->setOnClick([this] { imgIconClick(); });
  connect(cmdZoomIN, &QPushButton::clicked, this, &TMain::cmdZoomINClick);
  connect(cmdZoomOUT, &QPushButton::clicked, this, &TMain::cmdZoomOUTClick);
  connect(cmdSample, &QPushButton::clicked, this, &TMain::gbSampleClick);
  connect(cmdStats, &QPushButton::clicked, this, &TMain::cmdStatsClick);
  chkContinousSample->setOnClick([this] { chkContinousSampleClick(); });
  connect(cmdZoomMarked, &QPushButton::clicked, this, &TMain::cmdZoomMarkedClick);
  // textChanged runs also when the program sets the text.
  connect(txtRate, &QLineEdit::textChanged, this, &TMain::txtRateChange);
  connect(txtInputPort, &QLineEdit::textChanged, this, &TMain::txtInputPortChange);
  connect(cmdSampleSettingsOK, &QPushButton::clicked, this, &TMain::cmdSampleSettingsOKClick);
  pnlForegroundColor->setOnClick([this] { pnlForegroundColorClick(); });
  pnlBackgroundColor->setOnClick([this] { pnlBackgroundColorClick(); });
  imgAuthor->setOnClick([this] { imgAuthorClick(); });
  // The calibration changes the time base. The paint that uncovers the plot
  // when the splash closes rewrites the time labels; a splash already
  // closed by a click uncovers nothing, so the labels follow here as well.
  tmrAuthor->setOnTimer([this] {
    tmrAuthorTimer();
    showTimes();
  });
  tmrContinousSample->setOnTimer([this] { tmrContinousSampleTimer(); });
  connect(Load1, &QAction::triggered, this, &TMain::Load1Click);
  connect(Import1, &QAction::triggered, this, &TMain::Import1Click);
  connect(Save1, &QAction::triggered, this, &TMain::Save1Click);
  connect(Exit1, &QAction::triggered, this, &TMain::Exit1Click);
  connect(Settings1, &QAction::triggered, this, &TMain::Settings1Click);
  connect(About1, &QAction::triggered, this, &TMain::About1Click);
  connect(Help2, &QAction::triggered, this, &TMain::Help2Click);
}

void TMain::closeEvent(QCloseEvent* event) {
  FormClose();
  event->accept();
}

void TMain::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  FormResize();
}

const QImage& TMain::surfaceImage() const {
  return surface_->image();
}

int TMain::outerWidth() const {
  return frameGeometry().width();
}
int TMain::outerHeight() const {
  return frameGeometry().height();
}

void TMain::Repaint() {
  surface_->paintNow();
}

TMain* CreateMainWindow(WindowOptions options) {
  Main = new TMain(std::move(options));
  Main->FormCreate();
  return Main;
}

}  // namespace korvalinx
