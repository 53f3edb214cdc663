// The window's small commands and the file commands.

#include <QCoreApplication>
#include <QDir>
#include <optional>

#include "app/TMain.h"
#include "core/AnalyzerState.h"
#include "files/CaptureFile.h"
#include "files/EventFile.h"
#include "files/TransitionReport.h"
#include "platform/HelpFile.h"
#include "platform/MessageBox.h"

namespace korvalinx {

void TMain::Settings1Click() {
  gbSampleSettings->setVisible(true);
}

void TMain::cmdSampleSettingsOKClick() {
  Repaint();
  gbSampleSettings->setVisible(false);
}

void TMain::chooseColour(ColorPanel* panel) {
  // The dialog opens on its own last colour, not on the panel's.
  if (ColorDialog1->Execute()) panel->setColor(ColorDialog1->color);
}

void TMain::pnlForegroundColorClick() {
  chooseColour(pnlForegroundColor);
}
void TMain::pnlBackgroundColorClick() {
  chooseColour(pnlBackgroundColor);
}

// The help text is looked for beyond the current folder, and a help that
// cannot be shown says so: an installed program is seldom started from the
// folder of its help text, and a silent menu item looks broken.
void TMain::Help2Click() {
  const std::string programFolder = options_.programFolder.empty()
                                        ? QCoreApplication::applicationDirPath().toStdString()
                                        : options_.programFolder;
  const std::optional<std::string> help =
      FindHelpFile(HelpFilePlaces(QDir::currentPath().toStdString(), programFolder));
  if (!help) {
    ShowMessage(HelpNotFoundMessage(), "Korvalinx");
    return;
  }
  OpenInTextEditor(*help,
                   [path = *help] { ShowMessage(HelpCannotOpenMessage(path), "Korvalinx"); });
}

void TMain::reportFileFailure(const std::string& message) {
  ShowMessage(message, "Korvalinx");
}

// A cancelled dialog is told apart by its result, never by the name it
// still holds from an earlier use: a cancel reads and writes nothing.

void TMain::Save1Click() {
  if (!SaveDialog1->Execute()) return;
  const FileResult r = SaveCaptureFile(SaveDialog1->fileName, analyzerState.buffer.data());
  if (!r.ok) reportFileFailure(r.message);
}

void TMain::Load1Click() {
  OpenDialog1->filterIndex = 1;
  if (OpenDialog1->Execute()) {
    const FileResult r = LoadCaptureFile(OpenDialog1->fileName, analyzerState.buffer.data());
    if (!r.ok) reportFileFailure(r.message);
  }
  Repaint();
}

void TMain::Import1Click() {
  // Nothing changes until a file is chosen and opened: a cancel keeps an
  // unsaved capture and its time base.
  OpenDialog1->filterIndex = 2;
  if (!OpenDialog1->Execute()) return;
  AnalyzerState& s = analyzerState;
  const EventImportResult r = ImportEventFile(OpenDialog1->fileName, s.buffer.data());
  if (!r.ok) reportFileFailure(r.message);
  if (!r.samplesReplaced) return;
  // One time unit of an event file is one millisecond.
  s.microsPerRead = 1000.0;
  Repaint();
}

void TMain::cmdStatsClick() {
  const AnalyzerState& s = analyzerState;
  const FileResult r = WriteTransitionReport("stat.txt", s.buffer.data(), s.mark1, s.mark2);
  if (!r.ok) reportFileFailure(r.message);
}

}  // namespace korvalinx
