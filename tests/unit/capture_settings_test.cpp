#include "capture/Settings.h"

#include "capture_test_folder.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

namespace {

std::string Lines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

// Every key with its default value, sections and keys in the order written.
const std::vector<std::string> kDefaultLines = {
    "[main]",       "alwaysontop=0", "nsresolve=0",  "portresolve=0", "idleseconds=10",
    "[filters]",    "filtertcp=0",   "filterudp=0",  "filtericmp=0",  "[mainwindow]",
    "status=-1",    "top=-1",        "bottom=-1",    "left=-1",       "right=-1",
    "[list]",       "srcaddr=120",   "destaddr=120", "srcport=80",    "destport=80",
    "proto=50",     "traffic=100",   "bs=80",        "abs=80",        "[log]",
    "uselogfile=0", "autodelete=0",  "mbdelete=1",   "logtype=0",     "logfile=",
};

// A file holding only [section] key=value, for one key.
std::string OneKey(const std::string& section, const std::string& entry)
{
    return Lines({"[" + section + "]", entry});
}

std::string ReadKey(const std::string& path, const char* pszSection, const char* pszKey)
{
    char szValue[300] = {};
    GetPrivateProfileStringA(pszSection, pszKey, "<missing>", szValue, sizeof szValue,
                             path.c_str());
    return szValue;
}

class CaptureSettingsFile : public ::testing::Test {
protected:
    CCaptureTestFolder m_folder;
    const std::string m_program = m_folder / "prog.exe";
    const std::string m_ini = m_folder / "prog.ini";
};

TEST_F(CaptureSettingsFile, MissingFileGetsEveryKeyWithItsDefault)
{
    {
        const CSettings settings(m_program.c_str());
        EXPECT_EQ(settings.m_dwIdleTime, 10000u);
        EXPECT_EQ(settings.m_nLeft, -1);
        EXPECT_EQ(settings.m_nSrcAddr, 120);
        EXPECT_EQ(settings.m_nMbDelete, 1);
        EXPECT_STREQ(settings.m_szLogFile, "");
        EXPECT_EQ(CaptureReadFile(m_ini), "<missing>") << "written only at the end";
    }
    EXPECT_EQ(CaptureReadFile(m_ini), Lines(kDefaultLines));
}

TEST_F(CaptureSettingsFile, StoredValuesComeBackUnchanged)
{
    const std::string stored = Lines({
        "[main]",
        "alwaysontop=1",
        "nsresolve=2",
        "portresolve=3",
        "idleseconds=4294967",
        "[filters]",
        "filtertcp=4",
        "filterudp=5",
        "filtericmp=6",
        "[mainwindow]",
        "status=7",
        "top=-8",
        "bottom=9",
        "left=-2147483648",
        "right=2147483647",
        "[list]",
        "srcaddr=11",
        "destaddr=12",
        "srcport=13",
        "destport=14",
        "proto=15",
        "traffic=16",
        "bs=17",
        "abs=18",
        "[log]",
        "uselogfile=1",
        "autodelete=1",
        "mbdelete=999",
        "logtype=6",
        "logfile=D:\\logs\\traffic.log",
    });
    CaptureWriteFile(m_ini, stored);
    {
        const CSettings settings(m_program.c_str());
        EXPECT_EQ(settings.m_nNsResolve, 2);
        EXPECT_EQ(settings.m_dwIdleTime, 4294967000u);
        EXPECT_EQ(settings.m_nFilterTcp, 4);
        EXPECT_EQ(settings.m_nFilterUdp, 5);
        EXPECT_EQ(settings.m_nTop, -8);
        EXPECT_EQ(settings.m_nLeft, INT_MIN);
        EXPECT_EQ(settings.m_nAbs, 18);
        EXPECT_EQ(settings.m_nMbDelete, 999);
        EXPECT_EQ(settings.m_nLogType, 6);
        EXPECT_STREQ(settings.m_szLogFile, "D:\\logs\\traffic.log");
    }
    EXPECT_EQ(CaptureReadFile(m_ini), stored);
}

TEST_F(CaptureSettingsFile, OutOfRangeLogSettingsAreNormalised)
{
    struct Case {
        const char* pszEntry;
        int nExpected;
        const char* pszWritten;
    };
    const Case mbDelete[] = {
        {"mbdelete=0", 1, "1"},
        {"mbdelete=1000", 1, "1"},
        {"mbdelete=-5", 1, "1"},
        {"mbdelete=999", 999, "999"},
    };
    const Case logType[] = {
        {"logtype=7", 0, "0"},
        {"logtype=-1", 0, "0"},
        {"logtype=6", 6, "6"},
    };
    int nProgram = 0;
    for (const Case& c : mbDelete) {
        const std::string program = m_folder / ("mb" + std::to_string(++nProgram) + ".exe");
        CaptureWriteFile(IniPathFor(program.c_str()).c_str(), OneKey("log", c.pszEntry));
        {
            EXPECT_EQ(CSettings(program.c_str()).m_nMbDelete, c.nExpected) << c.pszEntry;
        }
        EXPECT_EQ(ReadKey(IniPathFor(program.c_str()).c_str(), "log", "mbdelete"), c.pszWritten)
            << c.pszEntry;
    }
    for (const Case& c : logType) {
        const std::string program = m_folder / ("lt" + std::to_string(++nProgram) + ".exe");
        CaptureWriteFile(IniPathFor(program.c_str()).c_str(), OneKey("log", c.pszEntry));
        {
            EXPECT_EQ(CSettings(program.c_str()).m_nLogType, c.nExpected) << c.pszEntry;
        }
        EXPECT_EQ(ReadKey(IniPathFor(program.c_str()).c_str(), "log", "logtype"), c.pszWritten)
            << c.pszEntry;
    }
}

TEST_F(CaptureSettingsFile, IdleSecondsBeyondThirtyTwoBitMillisecondsAreWrittenBackAsRead)
{
    struct Case {
        const char* pszStored;
        std::uint32_t dwMilliseconds;
    };
    const Case cases[] = {
        {"4294968", 4294968u * 1000u},
        {"5000000", 5000000u * 1000u},
        {"4294967295", 4294967295u * 1000u},
    };
    int nProgram = 0;
    for (const Case& c : cases) {
        const std::string program = m_folder / ("idle" + std::to_string(++nProgram) + ".exe");
        CaptureWriteFile(IniPathFor(program.c_str()).c_str(),
                         OneKey("main", std::string("idleseconds=") + c.pszStored));
        {
            EXPECT_EQ(CSettings(program.c_str()).m_dwIdleTime, c.dwMilliseconds) << c.pszStored;
        }
        EXPECT_EQ(ReadKey(IniPathFor(program.c_str()).c_str(), "main", "idleseconds"), c.pszStored);
    }
}

TEST_F(CaptureSettingsFile, MissingKeysAreFilledInAndPresentOnesKept)
{
    CaptureWriteFile(m_ini,
                     Lines({"[log]", "logtype=3", "[main]", "idleseconds=30", "nsresolve=1"}));
    {
        const CSettings settings(m_program.c_str());
    }
    EXPECT_EQ(ReadKey(m_ini, "log", "logtype"), "3");
    EXPECT_EQ(ReadKey(m_ini, "main", "idleseconds"), "30");
    EXPECT_EQ(ReadKey(m_ini, "main", "nsresolve"), "1");
    EXPECT_EQ(ReadKey(m_ini, "main", "alwaysontop"), "0");
    EXPECT_EQ(ReadKey(m_ini, "mainwindow", "right"), "-1");
    EXPECT_EQ(ReadKey(m_ini, "list", "traffic"), "100");
    EXPECT_EQ(ReadKey(m_ini, "log", "logfile"), "");
}

TEST_F(CaptureSettingsFile, UnwritableFileIsLeftAloneSilently)
{
    const std::string stored = Lines({"[main]", "alwaysontop=1"});
    CaptureWriteFile(m_ini, stored);
    ASSERT_TRUE(SetFileAttributesA(m_ini.c_str(), FILE_ATTRIBUTE_READONLY));
    {
        const CSettings settings(m_program.c_str());
        EXPECT_EQ(settings.m_nAlwaysOnTop, 1);
    }
    EXPECT_EQ(CaptureReadFile(m_ini), stored);

    const std::string absent = m_folder / "absent";
    {
        const CSettings settings((absent + "\\prog.exe").c_str());
    }
    EXPECT_EQ(GetFileAttributesA(absent.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(CaptureSettingsFile, ProgramPathTooLongForThePathFieldTouchesNoFile)
{
    // "s.long\..\" repeated past the field's 500 bytes: wherever the path were
    // cut, the rule would make one of the planted files of it. The padding
    // folder puts bytes 499 and 500 inside "s.long", where a cut path would
    // still fit the field.
    const std::string base = m_folder.Path() + "\\";
    std::string pad = "p";
    while ((base.size() + pad.size() + 4) % 10 != 494 % 10)
        pad += 'p';
    const std::string dotted = m_folder / "s.long";
    ASSERT_TRUE(CreateDirectoryA((m_folder / pad).c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(dotted.c_str(), nullptr));
    const std::string planted = Lines({"[main]", "alwaysontop=7"});
    const std::vector<std::string> plantedFiles = {
        m_folder / ".ini",
        m_folder / "s.ini",
        dotted + "\\.ini",
        dotted + "\\..ini",
    };
    for (const std::string& file : plantedFiles)
        CaptureWriteFile(file, planted);
    std::string program = base + pad + "\\..\\";
    while (program.size() < 600)
        program += "s.long\\..\\";
    program += "prog.exe";
    ASSERT_EQ(program.substr(494, 6), "s.long");

    {
        const CSettings settings(program.c_str());
        EXPECT_EQ(settings.m_nAlwaysOnTop, 0);
        EXPECT_EQ(settings.m_dwIdleTime, 10000u);
    }
    for (const std::string& file : plantedFiles)
        EXPECT_EQ(CaptureReadFile(file), planted) << file;
    EXPECT_EQ(CaptureFolderEntries(m_folder.Path()).size(), 4u);
    EXPECT_EQ(CaptureFolderEntries(dotted).size(), 2u);
    EXPECT_TRUE(CaptureFolderEntries(m_folder / pad).empty());
}

}  // namespace
