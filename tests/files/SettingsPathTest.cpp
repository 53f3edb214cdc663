#include <gtest/gtest.h>

#include "files/SettingsPath.h"

namespace korvalinx {
namespace {

TEST(SettingsPathFor, LowersTheNameAndGivesItTheIniExtension) {
  struct Case {
    const char* program;
    const char* settings;
  };
  const Case cases[] = {
      {"/opt/korvalinx/korvalinx", "/opt/korvalinx/korvalinx.ini"},
      {"/opt/Korvalinx/KorvaLinx-Demo", "/opt/Korvalinx/korvalinx-demo.ini"},
      {"/usr/bin/korvalinx.bin", "/usr/bin/korvalinx.ini"},
      {"/A.B/prog", "/A.B/prog.ini"},
      {"/x/a.b", "/x/a.b.ini"},
      {"/x/a.b.c", "/x/a.b.c.ini"},
      {"/x/a.tar.GZip", "/x/a.tar.gzip.ini"},
      {"korvalinx", "korvalinx.ini"},
      {"C:\\Tools\\Scope.EXE", "c:\\tools\\scope.ini"},
      {"C:\\Tools\\KORVALINX", "c:\\tools\\korvalinx.ini"},
      {"D:Prog.Exe", "d:prog.ini"},
  };
  for (const Case& c : cases) EXPECT_EQ(SettingsPathFor(c.program), c.settings) << c.program;
}

}  // namespace
}  // namespace korvalinx
