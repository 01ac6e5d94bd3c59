#include "capture/CapturePaths.h"
#include "capture/IniFile.h"
#include "capture/ProgramFile.h"

#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// A path of exactly nLength characters: "C:\" and filler, then the tail.
std::string PathOfLength(std::size_t nLength, const std::string& tail)
{
    return "C:\\" + std::string(nLength - 3 - tail.size(), 'p') + tail;
}

TEST(CapturePaths, IniPathReplacesTheExtensionOfTheFileName)
{
    EXPECT_EQ(IniPathFor("C:\\Tools\\prog.exe"), "C:\\Tools\\prog.ini");
    EXPECT_EQ(IniPathFor("C:\\Tools\\prog.tar.exe"), "C:\\Tools\\prog.tar.ini");
    EXPECT_EQ(IniPathFor("prog.exe"), "prog.ini");
    EXPECT_EQ(IniPathFor("C:\\Tools\\.exe"), "C:\\Tools\\.ini");
}

TEST(CapturePaths, IniPathAppendsToAFileNameWithoutExtension)
{
    EXPECT_EQ(IniPathFor("C:\\my.tools\\prog"), "C:\\my.tools\\prog.ini");
    EXPECT_EQ(IniPathFor("C:\\my.tools\\v1.2\\prog"), "C:\\my.tools\\v1.2\\prog.ini");
    EXPECT_EQ(IniPathFor("prog"), "prog.ini");
}

TEST(CapturePaths, IniPathIsRefusedRatherThanCut)
{
    EXPECT_EQ(IniPathFor(PathOfLength(499, "\\a.exe").c_str()),
              PathOfLength(499, "\\a.ini").c_str());
    EXPECT_EQ(IniPathFor(PathOfLength(495, "\\a").c_str()), PathOfLength(499, "\\a.ini").c_str());
    EXPECT_EQ(IniPathFor(PathOfLength(496, "\\a").c_str()), "");
    EXPECT_EQ(IniPathFor(PathOfLength(500, "\\a.exe").c_str()), "");
    EXPECT_EQ(IniPathFor(PathOfLength(700, "\\a.verylongextension").c_str()), "");
    // Cut at 499 bytes this would end in "dir.exten" and pass for "...\dir.ini".
    EXPECT_EQ(IniPathFor(("C:\\" + std::string(486, 'p') + "\\dir.extension\\prog.exe").c_str()),
              "");
    EXPECT_EQ(IniPathFor(""), "");
}

TEST(CapturePaths, ServicesPathReplacesTheFileName)
{
    EXPECT_EQ(ServicesPathFor("C:\\Tools\\prog.exe"), "C:\\Tools\\services");
    EXPECT_EQ(ServicesPathFor("C:\\my.tools\\prog"), "C:\\my.tools\\services");
    EXPECT_EQ(ServicesPathFor("C:\\Tools\\"), "C:\\Tools\\services");
    EXPECT_EQ(ServicesPathFor("prog.exe"), "services");
}

TEST(CapturePaths, ServicesPathIsRefusedRatherThanCut)
{
    EXPECT_EQ(ServicesPathFor(PathOfLength(252, "\\a").c_str()),
              PathOfLength(259, "\\services").c_str());
    EXPECT_EQ(ServicesPathFor(PathOfLength(253, "\\a").c_str()), "");
    EXPECT_EQ(ServicesPathFor(PathOfLength(260, "\\" + std::string(250, 'n')).c_str()), "");
    EXPECT_EQ(ServicesPathFor(""), "");
}

TEST(CapturePaths, ObjectsDefaultToThisProgramFile)
{
    char szProgram[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameA(nullptr, szProgram, sizeof szProgram), 0u);
    const std::string program = szProgram;
    EXPECT_EQ(GetProgramFilePath(), program.c_str());

    // A settings file beside this program is the one read.
    const std::string ini = program.substr(0, program.rfind('.')) + ".ini";
    ASSERT_TRUE(WritePrivateProfileStringA("check", "value", "7", ini.c_str()));
    EXPECT_EQ(CIniFile().ReadInt("check", "value", 0), 7);
    DeleteFileA(ini.c_str());
}

}  // namespace
