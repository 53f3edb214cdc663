#include <gtest/gtest.h>
#include <sys/stat.h>

#include "TempFolder.h"
#include "files/ProfileFile.h"

namespace korvalinx {
namespace {

TEST(ProfileFile, WritesKeysIntoTheFileOnDisk) {
  TempFolder folder;
  const std::string path = folder.file("korvalinx.ini");
  ProfileFile file(path);
  EXPECT_EQ(file.readString("Controls", "txtDelay", "dflt"), "dflt");
  EXPECT_TRUE(folder.names().empty()) << "reading creates no file";

  const std::string others = "[Window]\r\nLeft=648\r\n\r\n; keep me\r\n";
  WriteBytes(path, others);
  ASSERT_TRUE(file.writeString("Controls", "txtDelay", "250"));
  ASSERT_TRUE(file.writeString("Controls", "txtRate", "3"));
  ASSERT_TRUE(file.writeString("controls", "TXTDELAY", "1000"));
  EXPECT_EQ(ReadBytes(path), others + "[Controls]\r\nTXTDELAY=1000\r\ntxtRate=3\r\n");
  EXPECT_EQ(file.read("Controls", "txtDelay"), "1000");
  EXPECT_EQ(file.read("Window", "Left"), "648");
  EXPECT_EQ(folder.names(), std::vector<std::string>{"korvalinx.ini"});
}

TEST(ProfileFile, FailedWritesLeaveTheFileAsItWas) {
  TempFolder folder;
  WriteBytes(folder.file("plain"), "x");
  const std::string path = folder.file("s.ini");
  const std::string before = "[Controls]\ntxtDelay=1\n";
  WriteBytes(path, before);

  const FileResult injected = ProfileFile(path).writeString("Controls", "txtDelay", "1\ntxtRate=9");
  EXPECT_FALSE(injected.ok);
  EXPECT_EQ(injected.message, "Cannot write \"" + path + "\": Invalid argument");
  EXPECT_EQ(ReadBytes(path), before);

  ::mkdir(folder.file("dir.ini").c_str(), 0755);
  struct Case {
    std::string path;
    std::string message;
  };
  const Case cases[] = {
      {folder.file("missing/s.ini"),
       "Cannot write \"" + folder.file("missing/s.ini") + "\": No such file or directory"},
      {folder.file("plain/s.ini"),
       "Cannot write \"" + folder.file("plain/s.ini") + "\": Not a directory"},
      {folder.file("dir.ini"), "Cannot read \"" + folder.file("dir.ini") + "\": Is a directory"},
  };
  for (const Case& c : cases) {
    ProfileFile file(c.path);
    const FileResult result = file.writeString("Controls", "txtDelay", "5");
    EXPECT_FALSE(result.ok) << c.path;
    EXPECT_EQ(result.message, c.message);
    EXPECT_EQ(file.read("Controls", "txtDelay"), std::nullopt);
  }
  EXPECT_EQ(folder.names(), (std::vector<std::string>{"dir.ini", "plain", "s.ini"}));
}

}  // namespace
}  // namespace korvalinx
