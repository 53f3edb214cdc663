#pragma once
// A fresh window per test: the open sequence run against a settings file in
// a temporary folder, the scripted port, every modal answered by script.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QWidget>
#include <fstream>
#include <sstream>
#include <string>

#include "acquire/CaptureSamples.h"
#include "app/TMain.h"
#include "core/AnalyzerState.h"
#include "port/backends/ScriptedPort.h"
#include "support/ScriptedAnswerer.h"

// Texts in failure messages read as text.
inline void PrintTo(const QString& s, std::ostream* os) {
  *os << '"' << s.toStdString() << '"';
}

namespace korvalinx {

inline std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

inline void WriteWholeFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    analyzerState = AnalyzerState{};
    scripted::Reset();
    ASSERT_TRUE(folder.isValid());
    savedCurrent = QDir::currentPath();
    QDir::setCurrent(folder.path());
    settingsPath = folder.filePath("korvalinx.ini").toStdString();
  }
  void TearDown() override {
    delete window;
    QDir::setCurrent(savedCurrent);
    SetQuietWaitBound(DefaultQuietWaitBound());
  }
  // Creates the window (open sequence included) and shows it.
  TMain* open(bool show = true) {
    WindowOptions options;
    options.settingsPath = settingsPath;
    options.exitProcess = [this] { ++exitCalls; };
    options.calibrationClock = calibrationClock;
    options.programFolder = programFolder;
    window = CreateMainWindow(std::move(options));
    if (show) {
      window->show();
      QCoreApplication::processEvents();
    }
    return window;
  }
  std::string path(const char* name) const { return folder.filePath(name).toStdString(); }

  QTemporaryDir folder;
  QString savedCurrent;
  std::string settingsPath;
  ScriptedAnswerer answerer;
  TMain* window = nullptr;
  int exitCalls = 0;
  int64_t (*calibrationClock)() = nullptr;
  std::string programFolder;  // empty: the test executable's folder
};

}  // namespace korvalinx
