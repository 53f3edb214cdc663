#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "platform/os/InstanceName.h"

namespace korvalinx {
namespace {

TEST(InstanceName, EightCharactersBeforeTheExtensionInUpperCase) {
  const std::pair<std::string, std::string> cases[] = {
      {"C:\\Program Files\\Lab\\analyser.exe", "ANALYSER"},
      {"D:\\Tools\\LogicProbe.exe", "GICPROBE"},
      {"C:\\Lab\\scope.exe", "AB\\SCOPE"},  // a short file name takes in the folder
      {"/opt/korvalinx/bin/korvalinx",
       "IN/KORVA"},  // no extension: the last four are left out all the same
      // Paths up to eleven characters start at their first character.
      {"C:\\a.exe", "C:\\A.EXE"},
      {"k.e", "K.E"},
      {"c:\\ab\\k.exe", "C:\\AB\\K."},
      {"c:\\abc\\k.exe", "C:\\ABC\\K"},  // twelve: starts at the first too
      {"", ""},
      {"/x/\xe9t\xe9scope.bin", "\xe9T\xe9SCOPE"},  // bytes of 0x80 and above stay as they are
  };
  for (const auto& [path, name] : cases) EXPECT_EQ(InstanceName(path), name) << path;
}

TEST(InstanceName, LetterCaseAndFolderDoNotMatter) {
  EXPECT_EQ(InstanceName("C:\\Lab\\analyser.exe"), InstanceName("C:\\Lab\\ANALYSER.EXE"));
  EXPECT_EQ(InstanceName("C:\\Lab\\analyser.exe"), InstanceName("E:\\Other\\Place\\analyser.exe"));
  EXPECT_NE(InstanceName("C:\\Lab\\analyser.exe"), InstanceName("C:\\Lab\\analyzer.exe"));
}

}  // namespace
}  // namespace korvalinx
