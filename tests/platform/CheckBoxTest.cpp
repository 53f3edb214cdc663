// The check box's click handler runs on every change of its state, by the
// user or by the program, and not while it is detached.

#include <gtest/gtest.h>

#include <QTest>

#include "platform/CheckBox.h"

namespace korvalinx {
namespace {

TEST(CheckBoxTest, ClickRunsOnEveryChangeUnlessDetached) {
  CheckBox box;
  box.setText("Continous");
  box.resize(80, 17);
  int clicks = 0;
  box.setOnClick([&] { ++clicks; });

  struct Step {
    const char* what;
    void (*act)(CheckBox&);
    bool checked;
    int clicks;
  };
  const Step steps[] = {
      {"set by the program", [](CheckBox& b) { b.setChecked(true); }, true, 1},
      {"set to the state it has", [](CheckBox& b) { b.setChecked(true); }, true, 1},
      {"clicked by the user",
       [](CheckBox& b) { QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(6, 8)); }, false, 2},
      {"Space by the user", [](CheckBox& b) { QTest::keyClick(&b, Qt::Key_Space); }, true, 3},
      {"detached, then set",
       [](CheckBox& b) {
         b.setOnClick(nullptr);
         b.setChecked(false);
       },
       false, 3},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.what);
    s.act(box);
    EXPECT_EQ(box.isChecked(), s.checked);
    EXPECT_EQ(clicks, s.clicks);
  }
  box.setOnClick([&] { ++clicks; });
  box.setChecked(true);
  EXPECT_EQ(clicks, 4) << "attached again";
}

}  // namespace
}  // namespace korvalinx
