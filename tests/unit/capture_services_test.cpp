#include "capture/CapturePaths.h"
#include "capture/ServicesParser.h"

#include "capture_test_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>

namespace {

constexpr DWORD kPatienceMs = 10000;  // for what must happen, not how fast

constexpr char kPipePath[] = "\\\\.\\pipe\\services";

// The services file as the reading end of a pipe the test writes to: a
// program "\\.\pipe\prog.exe" has its services file at "\\.\pipe\services".
// The test sees the file opened and every byte of it taken.
class CServicesPipe {
public:
    explicit CServicesPipe(const std::string& text)
        : m_text(text),
          m_hPipe(CreateNamedPipeA(kPipePath, PIPE_ACCESS_OUTBOUND | FILE_FLAG_OVERLAPPED,
                                   PIPE_TYPE_BYTE | PIPE_WAIT, 1, kPipeBuffer, kPipeBuffer, 0,
                                   nullptr)),
          m_hEvent(CreateEventA(nullptr, TRUE, FALSE, nullptr))
    {
        if (m_hPipe != INVALID_HANDLE_VALUE)
            m_writer = std::thread([this] { m_bReadThrough = Serve(); });
    }
    ~CServicesPipe()
    {
        // Still waiting for a reader: one that comes and goes releases it.
        if (m_hPipe != INVALID_HANDLE_VALUE && !m_bOpened)
            CloseHandle(
                CreateFileA(kPipePath, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        if (m_writer.joinable())
            m_writer.join();
        if (m_hPipe != INVALID_HANDLE_VALUE)
            CloseHandle(m_hPipe);
        CloseHandle(m_hEvent);
    }
    CServicesPipe(const CServicesPipe&) = delete;
    CServicesPipe& operator=(const CServicesPipe&) = delete;

    bool IsOpen() const { return m_hPipe != INVALID_HANDLE_VALUE; }
    // A reader reaches the end only after the writer saw it open the pipe.
    bool Opened() const { return m_bOpened; }
    // True once a reader has opened the pipe and taken all of the text.
    bool ReadThrough()
    {
        if (m_writer.joinable())
            m_writer.join();
        return m_bReadThrough;
    }

private:
    static constexpr DWORD kPipeBuffer = 4096;

    // Waits for an overlapped call to finish; false when it failed or the
    // patience ran out.
    bool Finish(BOOL bDone, OVERLAPPED& overlapped, DWORD& cbDone)
    {
        if (!bDone && GetLastError() != ERROR_IO_PENDING)
            return GetLastError() == ERROR_PIPE_CONNECTED;
        if (WaitForSingleObject(m_hEvent, kPatienceMs) != WAIT_OBJECT_0) {
            CancelIo(m_hPipe);
            GetOverlappedResult(m_hPipe, &overlapped, &cbDone, TRUE);
            return false;
        }
        return GetOverlappedResult(m_hPipe, &overlapped, &cbDone, FALSE) != FALSE;
    }

    bool Serve()
    {
        OVERLAPPED overlapped{};
        overlapped.hEvent = m_hEvent;
        DWORD cbDone = 0;
        if (!Finish(ConnectNamedPipe(m_hPipe, &overlapped), overlapped, cbDone))
            return false;
        m_bOpened = true;
        for (std::size_t nSent = 0; nSent < m_text.size(); nSent += cbDone) {
            const DWORD cbPiece =
                static_cast<DWORD>(std::min<std::size_t>(m_text.size() - nSent, 1000));
            overlapped = OVERLAPPED{};
            overlapped.hEvent = m_hEvent;
            if (!Finish(WriteFile(m_hPipe, m_text.data() + nSent, cbPiece, nullptr, &overlapped),
                        overlapped, cbDone))
                return false;
        }
        // Returns once the reader has taken everything; then the reader sees
        // the end of the file.
        const bool bTaken = FlushFileBuffers(m_hPipe) != FALSE;
        DisconnectNamedPipe(m_hPipe);
        return bTaken;
    }

    const std::string m_text;
    const HANDLE m_hPipe;
    const HANDLE m_hEvent;
    std::atomic<bool> m_bOpened{false};
    bool m_bReadThrough = false;
    std::thread m_writer;
};

class CaptureServicesFile : public ::testing::Test {
protected:
    // The file is closed again when it can be deleted: an open one cannot.
    bool ClosedAfterReading()
    {
        {
            const CServicesParser parser(m_program.c_str());
        }
        return DeleteFileA(m_services.c_str()) != 0;
    }

    CCaptureTestFolder m_folder;
    const std::string m_program = m_folder / "prog.exe";
    const std::string m_services = m_folder / "services";
};

TEST(CaptureServicesPipe, TheFileBesideTheProgramIsReadToItsEnd)
{
    // Lines far longer than the reader's pieces, one of them exactly a
    // piece long, and a last line without an end.
    const std::string text = "echo 7/tcp\n" + std::string(100 * 1024, 'x') + "\n" +
                             std::string(299, 'y') + "\n" + std::string(300, 'z') +
                             "\nlast line without end";
    CServicesPipe pipe(text);
    ASSERT_TRUE(pipe.IsOpen());
    {
        const CServicesParser parser("\\\\.\\pipe\\prog.exe");
    }
    EXPECT_TRUE(pipe.ReadThrough());
}

TEST(CaptureServicesPipe, ProgramPathTooLongForThePathFieldOpensNothing)
{
    // Cut to the field's 259 characters, the services path of this program
    // would name the pipe.
    std::string cut = "\\\\.\\pipe\\";
    for (int i = 0; i < 47; ++i)
        cut += "a\\..\\";
    cut += "bbb\\..\\services";
    ASSERT_EQ(cut.size(), 259u);
    char szFull[MAX_PATH] = {};
    ASSERT_GT(GetFullPathNameA(cut.c_str(), sizeof szFull, szFull, nullptr), 0u);
    ASSERT_STREQ(szFull, kPipePath);

    CServicesPipe pipe("echo 7/tcp\n");
    ASSERT_TRUE(pipe.IsOpen());
    {
        const CServicesParser parser((cut + "\\sub\\prog.exe").c_str());
    }
    EXPECT_FALSE(pipe.Opened());
}

TEST_F(CaptureServicesFile, MissingFileCausesNothing)
{
    {
        const CServicesParser parser(m_program.c_str());
    }
    EXPECT_TRUE(CaptureFolderEntries(m_folder.Path()).empty());
}

TEST_F(CaptureServicesFile, AfterLongLinesOrBinaryDataTheFileIsClosed)
{
    CaptureWriteFile(m_services,
                     "echo 7/tcp\n" + std::string(100 * 1024, 'x') + "\n" + std::string(300, 'z'));
    EXPECT_TRUE(ClosedAfterReading());

    std::string bytes;
    for (int nRound = 0; nRound < 400; ++nRound)
        for (int nByte = 0; nByte < 256; ++nByte)
            bytes += static_cast<char>(nRound % 2 ? 255 - nByte : nByte);
    CaptureWriteFile(m_services, bytes);
    EXPECT_TRUE(ClosedAfterReading());

    // Zero bytes and no line end at all.
    CaptureWriteFile(m_services, std::string(100 * 1024, '\0'));
    EXPECT_TRUE(ClosedAfterReading());
}

}  // namespace
