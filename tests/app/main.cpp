// The window's tests need one application object for the whole run: the
// program's own, which shows an error that escapes a handler.
#include <gtest/gtest.h>

#include "app/Application.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  korvalinx::Application app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
