#include <QAbstractButton>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLineEdit>

#include "app/WindowFixture.h"

namespace korvalinx {
namespace {

struct Placed {
  const char* name;
  const char* parent;
  int left, top, width, height;
  const char* text;  // caption, text or title; nullptr where there is none
  int pixelHeight;   // of its font
};

// The window's elements with their places, sizes, texts and fonts.
const Placed kLayout[] = {
    {"scrlDisplay", "clientArea", 18, 306, 600, 17, nullptr, 11},
    {"gbDisplay", "clientArea", 20, 328, 597, 81, "Display controls", 11},
    {"lblFirst", "gbDisplay", 201, 48, 75, 25, "0", 19},
    {"lbl1", "gbDisplay", 201, 32, 57, 17, "Start", 11},
    {"lblNumSamples", "gbDisplay", 283, 48, 75, 25, "0", 19},
    {"lbl2", "gbDisplay", 283, 32, 37, 17, "Length", 11},
    {"Label1", "gbDisplay", 72, 20, 57, 17, "Zoom", 11},
    {"imgIcon", "gbDisplay", 557, 13, 32, 32, nullptr, 11},
    {"lblMark1", "gbDisplay", 477, 12, 75, 20, "0", 19},
    {"lblMark2", "gbDisplay", 477, 32, 75, 20, "0", 19},
    {"Label5", "gbDisplay", 441, 16, 37, 17, "Mark1", 11},
    {"Label6", "gbDisplay", 441, 38, 37, 17, "Mark2", 11},
    {"Label8", "gbDisplay", 441, 56, 37, 17, "Delta", 11},
    {"lblDelta", "gbDisplay", 477, 52, 75, 20, "0", 19},
    {"Label10", "gbDisplay", 283, 17, 37, 17, "Display", 11},
    {"cmdZoomIN", "gbDisplay", 16, 40, 41, 33, "+", 32},
    {"cmdZoomOUT", "gbDisplay", 68, 40, 41, 33, "-", 32},
    {"cmdSample", "gbDisplay", 365, 32, 73, 29, "Sample", 13},
    {"cmdStats", "gbDisplay", 365, 8, 73, 25, "Stats", 13},
    {"chkContinousSample", "gbDisplay", 365, 62, 73, 17, "Continous", 11},
    {"cmdZoomMarked", "gbDisplay", 120, 40, 61, 33, "Marked", 13},
    {"gbSampleSettings", "clientArea", 8, 5, 407, 133, "Sample settings", 11},
    {"lbl3", "gbSampleSettings", 96, 20, 85, 17, "Pre trigger delay", 11},
    {"lbl4", "gbSampleSettings", 14, 70, 59, 19, "Divisor", 11},
    {"lbl5", "gbSampleSettings", 12, 20, 81, 17, "Trigger Channel", 11},
    {"Label2", "gbSampleSettings", 94, 70, 81, 17, "Input Port (Hex)", 11},
    {"Label3", "gbSampleSettings", 269, 20, 85, 17, "Foreground Color", 11},
    {"Label4", "gbSampleSettings", 267, 70, 85, 17, "Background Color", 11},
    {"Label7", "gbSampleSettings", 176, 20, 57, 17, "Samplesize", 11},
    {"Label9", "gbSampleSettings", 176, 68, 57, 17, "Granularity", 11},
    {"txtDelay", "gbSampleSettings", 96, 37, 57, 28, "1000", 16},
    {"txtRate", "gbSampleSettings", 12, 88, 57, 28, "0", 16},
    {"txtChannel", "gbSampleSettings", 12, 37, 57, 28, "1", 16},
    {"txtInputPort", "gbSampleSettings", 96, 85, 57, 28, "378", 16},
    {"cmdSampleSettingsOK", "gbSampleSettings", 345, 89, 57, 33, "OK", 13},
    {"pnlForegroundColor", "gbSampleSettings", 267, 40, 56, 26, nullptr, 11},
    {"pnlBackgroundColor", "gbSampleSettings", 267, 85, 56, 26, nullptr, 11},
    {"txtSamplesize", "gbSampleSettings", 176, 37, 65, 28, "1000", 16},
    {"txtGranularity", "gbSampleSettings", 176, 85, 65, 28, "1 us", 16},
    {"pnlAuthor", "clientArea", 35, 80, 611, 291, nullptr, 11},
    {"imgAuthor", "pnlAuthor", 12, 12, 589, 201, nullptr, 11},
};

QString TextOf(QWidget* w) {
  if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
  if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text();
  if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
  if (auto* g = qobject_cast<QGroupBox*>(w)) return g->title();
  return {};
}

using LayoutTest = WindowTest;

TEST_F(LayoutTest, EveryElementHasItsPlaceSizeTextAndFont) {
  TMain* w = open(false);
  for (const Placed& p : kLayout) {
    SCOPED_TRACE(p.name);
    auto* e = w->findChild<QWidget*>(p.name);
    ASSERT_NE(e, nullptr);
    ASSERT_NE(e->parentWidget(), nullptr);
    EXPECT_EQ(e->parentWidget()->objectName(), p.parent);
    // gbDisplay and the scroll bar are moved by the first full repaint.
    if (std::string(p.name) != "gbDisplay" && std::string(p.name) != "scrlDisplay") {
      EXPECT_EQ(e->geometry(), QRect(p.left, p.top, p.width, p.height));
    }
    if (p.text) {
      EXPECT_EQ(TextOf(e), QString::fromLatin1(p.text));
    }
    EXPECT_EQ(e->font().pixelSize(), p.pixelHeight);
  }
}

TEST_F(LayoutTest, ComponentOrderStartStateAndMenu) {
  TMain* w = open();
  std::vector<std::string> names;
  for (const Component& c : w->components()) names.push_back(c.name);
  const std::vector<std::string> expected{"scrlDisplay",
                                          "gbDisplay",
                                          "lblFirst",
                                          "lbl1",
                                          "lblNumSamples",
                                          "lbl2",
                                          "Label1",
                                          "imgIcon",
                                          "lblMark1",
                                          "lblMark2",
                                          "Label5",
                                          "Label6",
                                          "Label8",
                                          "lblDelta",
                                          "Label10",
                                          "cmdZoomIN",
                                          "cmdZoomOUT",
                                          "cmdSample",
                                          "cmdStats",
                                          "chkContinousSample",
                                          "cmdZoomMarked",
                                          "gbSampleSettings",
                                          "lbl3",
                                          "lbl4",
                                          "lbl5",
                                          "Label2",
                                          "Label3",
                                          "Label4",
                                          "Label7",
                                          "Label9",
                                          "txtDelay",
                                          "txtRate",
                                          "txtChannel",
                                          "txtInputPort",
                                          "cmdSampleSettingsOK",
                                          "pnlForegroundColor",
                                          "pnlBackgroundColor",
                                          "txtSamplesize",
                                          "txtGranularity",
                                          "pnlAuthor",
                                          "imgAuthor",
                                          "Label11",
                                          "lblBuild",
                                          "tmrAuthor",
                                          "MainMenu1",
                                          "File1",
                                          "Load1",
                                          "Import1",
                                          "Save1",
                                          "Exit1",
                                          "Settings1",
                                          "Help1",
                                          "About1",
                                          "Help2",
                                          "OpenDialog1",
                                          "SaveDialog1",
                                          "ColorDialog1",
                                          "tmrContinousSample"};
  EXPECT_EQ(names, expected);

  EXPECT_EQ(w->windowTitle(), "Korvalinx");
  EXPECT_EQ(w->centralWidget()->size(), QSize(660, 572));
  EXPECT_FALSE(w->gbSampleSettings->isVisible());
  EXPECT_TRUE(w->pnlAuthor->isVisible());
  EXPECT_FALSE(w->txtGranularity->isEnabled());
  EXPECT_FALSE(w->chkContinousSample->isChecked());
  EXPECT_EQ(w->pnlForegroundColor->color(), 0x00FF00u);
  EXPECT_EQ(w->pnlBackgroundColor->color(), 0x000000u);
  EXPECT_EQ(w->lblBuild->text(), "0.0.0.9");
  EXPECT_EQ(w->tmrAuthor->interval(), 3000);
  EXPECT_EQ(w->tmrContinousSample->interval(), 100);
  EXPECT_EQ(w->imgAuthor->pixmap().size(), QSize(600, 211));
  EXPECT_EQ(w->imgIcon->pixmap().size(), QSize(32, 32));
  EXPECT_EQ(w->OpenDialog1->filter, "Korvalinx files|*.kvx|Tallymark Event Files|*.evt");
  EXPECT_EQ(w->SaveDialog1->filter, "Korvalinx files|*.kvx");
  EXPECT_EQ(w->OpenDialog1->defaultExt, "*.kvx");

  // The menu bar: File (Load, Import, Save, Exit), Settings, Help (About,
  // Help); no accelerators and no shortcuts.
  QStringList bar;
  for (QAction* a : w->MainMenu1->actions()) bar << a->text();
  EXPECT_EQ(bar, QStringList({"File", "Settings", "Help"}));
  QStringList file, help;
  for (QAction* a : w->File1->actions()) file << a->text();
  for (QAction* a : w->Help1->actions()) help << a->text();
  EXPECT_EQ(file, QStringList({"Load", "Import", "Save", "Exit"}));
  EXPECT_EQ(help, QStringList({"About", "Help"}));
  for (QAction* a : w->findChildren<QAction*>()) {
    EXPECT_TRUE(a->shortcut().isEmpty()) << a->text().toStdString();
    EXPECT_FALSE(a->text().contains('&'));
  }
}

TEST_F(LayoutTest, CaptionsEndInsideTheirBoxesAndBeforeTheirNeighbours) {
  TMain* w = open(false);
  for (QWidget* group :
       {static_cast<QWidget*>(w->gbDisplay), static_cast<QWidget*>(w->gbSampleSettings)}) {
    const QList<QLabel*> captions = group->findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
    for (QLabel* caption : captions) {
      SCOPED_TRACE(caption->objectName().toStdString());
      const QFontMetrics metrics(caption->font());
      const int end = caption->x() + metrics.horizontalAdvance(caption->text());
      EXPECT_LE(end, caption->geometry().x() + caption->width()) << "cut off by its box";
      // Every element that begins to its right on its text line.
      for (QWidget* other : group->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const QRect g = other->geometry();
        if (other == caption || g.left() <= caption->x()) continue;
        if (g.top() >= caption->y() + metrics.height() || g.bottom() < caption->y()) continue;
        // Beside text of its size wider apart than the words of one
        // caption, so the two read as two; beside anything else a space.
        const auto* text = qobject_cast<QLabel*>(other);
        const bool sameSize = text && text->font().pixelSize() == caption->font().pixelSize();
        EXPECT_LE(end + metrics.horizontalAdvance(sameSize ? "  " : " "), g.left())
            << "runs into " << other->objectName().toStdString();
      }
    }
  }
  // The two that ran together in the wider face.
  for (const auto& [caption, neighbour] : {std::pair{w->lbl3, w->Label7}, {w->Label2, w->Label9}}) {
    const QFontMetrics metrics(caption->font());
    EXPECT_LE(caption->x() + metrics.horizontalAdvance(caption->text() + "  "), neighbour->x())
        << caption->text().toStdString();
  }
}

TEST_F(LayoutTest, TabOrderWithinEachGroup) {
  TMain* w = open();
  const std::vector<QWidget*> display{w->cmdZoomIN, w->cmdZoomOUT,         w->cmdSample,
                                      w->cmdStats,  w->chkContinousSample, w->cmdZoomMarked};
  for (size_t i = 0; i + 1 < display.size(); ++i)
    EXPECT_EQ(display[i]->nextInFocusChain(), display[i + 1]) << i;
  const std::vector<QWidget*> settings{w->txtDelay,
                                       w->txtRate,
                                       w->txtChannel,
                                       w->txtInputPort,
                                       w->cmdSampleSettingsOK,
                                       w->pnlForegroundColor,
                                       w->pnlBackgroundColor,
                                       w->txtSamplesize,
                                       w->txtGranularity};
  for (size_t i = 0; i + 1 < settings.size(); ++i)
    EXPECT_EQ(settings[i]->nextInFocusChain(), settings[i + 1]) << i;
}

}  // namespace
}  // namespace korvalinx
