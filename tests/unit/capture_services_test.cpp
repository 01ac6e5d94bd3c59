#include "capture/ServicesParser.h"

#include "capture_test_folder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class CaptureServicesFile : public ::testing::Test
{
protected:
    // The file is closed again when it can be deleted: an open one cannot.
    bool ClosedAfterReading()
    {
        { const CServicesParser parser(m_program.c_str()); }
        return DeleteFileA(m_services.c_str()) != 0;
    }

    CCaptureTestFolder m_folder;
    const std::string m_program = m_folder / "prog.exe";
    const std::string m_services = m_folder / "services";
};

TEST_F(CaptureServicesFile, IsFoundBesideTheProgram)
{
    EXPECT_EQ(std::string(CServicesParser(m_program.c_str()).GetPath()), m_services);
}

TEST_F(CaptureServicesFile, MissingFileCausesNothing)
{
    EXPECT_FALSE(ReadServicesFile(m_services.c_str()).bOpened);
    { const CServicesParser parser(m_program.c_str()); }
    EXPECT_TRUE(CaptureFolderEntries(m_folder.Path()).empty());
}

TEST_F(CaptureServicesFile, LongLinesAreReadThroughInBoundedPieces)
{
    const std::string text = "echo 7/tcp\n" + std::string(100 * 1024, 'x') + "\n" + std::string(299, 'y') +
                             "\n" + std::string(300, 'z') + "\nlast line without end";
    CaptureWriteFile(m_services, text);
    const ServicesReadResult result = ReadServicesFile(m_services.c_str());
    EXPECT_TRUE(result.bOpened);
    EXPECT_EQ(result.nCharacters, text.size());
    EXPECT_LT(result.nLongestPiece, kServicesLineSize);
    EXPECT_TRUE(ClosedAfterReading());
}

TEST_F(CaptureServicesFile, BinaryDataIsReadWithoutOverrun)
{
    std::string bytes;
    for (int nRound = 0; nRound < 400; ++nRound)
        for (int nByte = 0; nByte < 256; ++nByte)
            bytes += static_cast<char>(nRound % 2 ? 255 - nByte : nByte);
    CaptureWriteFile(m_services, bytes);
    const ServicesReadResult result = ReadServicesFile(m_services.c_str());
    EXPECT_TRUE(result.bOpened);
    EXPECT_LT(result.nLongestPiece, kServicesLineSize);
    EXPECT_TRUE(ClosedAfterReading());

    // Zero bytes and no line end at all.
    CaptureWriteFile(m_services, std::string(100 * 1024, '\0'));
    EXPECT_EQ(ReadServicesFile(m_services.c_str()).nCharacters, 0u);
    EXPECT_TRUE(ClosedAfterReading());
}

TEST_F(CaptureServicesFile, ProgramPathTooLongForThePathFieldOpensNothing)
{
    std::string program = m_folder.Path() + "\\";
    while (program.size() < 300)
        program += "sub\\..\\";
    program += "prog.exe";
    EXPECT_STREQ(CServicesParser(program.c_str()).GetPath(), "");
}

} // namespace
