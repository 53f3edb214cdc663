// The window's open and close sequences, and File, Exit.

#include "app/TMain.h"
#include "core/AnalyzerState.h"
#include "core/Divisor.h"
#include "files/ControlsSettings.h"
#include "files/SettingsPlace.h"
#include "port/PortMode.h"
#include "port/permission/PortPermission.h"

namespace korvalinx {

std::vector<SettingsElement*> TMain::settingsElements() {
  std::vector<SettingsElement*> elements;
  for (const auto& e : settingsAdapters_) elements.push_back(e.get());
  return elements;
}

void TMain::FormCreate() {
  // A ticked box restored from the settings must not ask the first-use
  // question: its click handler is detached meanwhile.
  chkContinousSample->setOnClick(nullptr);
  controlsRead(settingsElements(), options_.settingsPath);
  chkContinousSample->setOnClick([this] { chkContinousSampleClick(); });
  InitView();
  UpdateDivisorFromText(analyzerState, txtRate->text().toStdString());
  tmrAuthor->setEnabled(true);
  SetInputMode();  // at the port base the restored settings gave
  tmrContinousSample->setEnabled(true);
  lblBuild->setText("0.0.0.9");
  lblBuild->adjustSize();
}

void TMain::FormClose() {
  RestorePortMode();
  MakeSettingsFolder(options_.settingsPath);  // the user's configuration folder may be new
  controlsWrite(settingsElements(), options_.settingsPath);
  if (IsWinNT()) ShutdownDriver();
}

void TMain::Exit1Click() {
  // At once: no close sequence, so the port stays in input mode and the
  // settings file is not written.
  if (options_.exitProcess)
    options_.exitProcess();
  else
    std::exit(0);
}

}  // namespace korvalinx
