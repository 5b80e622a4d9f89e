// The transfer thread's FTP operations against the local FTP server
// (ftpserver.py, started by the test fixture), which serves the folder
// "ftpserver\root" of the working directory and logs every command it gets.
#include "curlglobal.h"
#include "curlthread.h"
#include "eventcapture.h"
#include "scratchfolder.h"
#include "testserverport.h"
#include "textfile.h"
#include "waituntil.h"
#include "wholefile.h"

#include <gtest/gtest.h>

#include <wx/stopwatch.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

const char kCredentials[] = "kova:kova-pass";
const int kTransferTimeoutMs = 15000;
const long kStopBoundMs = 2000;
const EventDispatcher kAddress(3, 8);

std::wstring Wide(const std::string& ascii)
{
    return std::wstring(ascii.begin(), ascii.end());
}

std::wstring ServerFile(const std::string& name)
{
    return L"ftpserver\\root\\" + Wide(name);
}

bool WriteBytes(const std::wstring& path, const std::string& bytes)
{
    return WriteWholeFile(path, reinterpret_cast<const unsigned char*>(bytes.data()), long(bytes.size()));
}

// How many sessions the server has seen: each starts with "USER".
long SessionCount()
{
    const std::vector<std::string> lines = SplitLines(ReadFileText(L"ftpserver\\commands.log"));
    return long(std::count_if(lines.begin(), lines.end(),
                              [](const std::string& line) { return line.rfind("USER ", 0) == 0; }));
}

// Each event as "name payload", after checking that it went to the owner.
std::vector<std::wstring> Reported(const EventCapture& capture)
{
    std::vector<std::wstring> reported;
    for (const AsyncEventData& event : capture.Events()) {
        EXPECT_EQ(kAddress.formId, event.formId);
        EXPECT_EQ(kAddress.callerId, event.callerId);
        reported.push_back(event.eventName + L" " + event.payload);
    }
    return reported;
}

class CurlThreadFtp : public testing::Test {
protected:
    static void SetUpTestSuite() { CurlGlobal::Initialise(); }

    void SetUp() override { ASSERT_NE(0, TestServerPort("ftpserver", "ftp")) << "the FTP test server is not running"; }

    static std::string ServerUrl()
    {
        return "ftp://127.0.0.1:" + std::to_string(TestServerPort("ftpserver", "ftp"));
    }

    static std::shared_ptr<CurlThread> Start(TransferOp op, const std::wstring& localPath,
                                             const std::string& remotePath, const std::string& url = ServerUrl())
    {
        auto thread =
            std::make_shared<CurlThread>(op, kAddress, TransferTarget{url, kCredentials, "", localPath, remotePath});
        thread->Start();
        return thread;
    }

    // Runs the transfer to its end; answers its events and leaves its byte
    // count in `transferred`.
    static std::vector<std::wstring> Transfer(TransferOp op, const std::wstring& localPath,
                                              const std::string& remotePath, const std::string& url = ServerUrl(),
                                              int64_t* transferred = nullptr)
    {
        EventCapture capture;
        auto thread = Start(op, localPath, remotePath, url);
        EXPECT_TRUE(capture.WaitFor(1, kTransferTimeoutMs));
        thread->Close();
        if (transferred)
            *transferred = thread->Transferred();
        return Reported(capture);
    }

    ScratchFolder scratch;
};

// Names with a blank and a "#" reach the server as they are, both ways; the
// URL may end with "/" or not.
TEST_F(CurlThreadFtp, FilesTravelBothWays)
{
    const std::string withSlash = ServerUrl() + "/";
    for (const std::string& url : {ServerUrl(), withSlash}) {
        for (const std::string name : {"plain.bin", "a b.txt", "c#d.txt"}) {
            SCOPED_TRACE(url + " " + name);
            const std::string served = "served " + name + std::string(3000, 'x');
            ASSERT_TRUE(WriteBytes(ServerFile("down " + name), served));
            int64_t transferred = 0;
            EXPECT_EQ(std::vector<std::wstring>{L"onFileReceived { }"},
                      Transfer(TransferOp::FtpDownload, scratch / Wide(name), "down " + name, url, &transferred));
            EXPECT_EQ(served, ReadFileText(scratch / Wide(name)));
            EXPECT_EQ(int64_t(served.size()), transferred);

            ASSERT_TRUE(WriteBytes(scratch / L"ten", "0123456789"));
            EXPECT_EQ(std::vector<std::wstring>{L"onFileSent { }"},
                      Transfer(TransferOp::FtpUpload, scratch / L"ten", "up " + name, url, &transferred));
            EXPECT_EQ(10, transferred);
            EXPECT_EQ("0123456789", ReadFileText(ServerFile("up " + name)));
        }
    }
}

// A local file that cannot be opened fails the transfer before any session.
TEST_F(CurlThreadFtp, UnopenableLocalFileFailsWithoutASession)
{
    ASSERT_TRUE(WriteBytes(ServerFile("here.txt"), "here"));
    const struct {
        TransferOp op;
        const wchar_t* local;
    } cases[] = {
        {TransferOp::FtpDownload, L"missing folder\\here.txt"},
        {TransferOp::FtpUpload, L"missing.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.op));
        const long sessions = SessionCount();
        EXPECT_EQ(std::vector<std::wstring>{L"onError { \"error\": \"Transferring.\" }"},
                  Transfer(c.op, scratch / c.local, "here.txt"));
        EXPECT_EQ(sessions, SessionCount());
    }
    EXPECT_EQ("here", ReadFileText(ServerFile("here.txt")));
}

// "stall.bin" sends its first block and then nothing: the flags still end
// the transfer within a bound, aborting with "onAborted", closing silently.
TEST_F(CurlThreadFtp, FlagsEndAStalledDownload)
{
    for (const bool abort : {true, false}) {
        SCOPED_TRACE(abort ? "abort" : "close");
        EventCapture events;
        auto thread = Start(TransferOp::FtpDownload, scratch / L"stall.bin", "stall.bin");
        ASSERT_TRUE(WaitUntil([&] { return thread->Transferred() > 0; }, kTransferTimeoutMs));
        wxStopWatch stopping;
        if (abort)
            thread->Abort();
        else
            thread->Close();
        EXPECT_LT(stopping.Time(), kStopBoundMs);
        // The thread has ended: whatever it reports has been posted.
        EXPECT_EQ(abort ? std::vector<std::wstring>{L"onAborted { }"} : std::vector<std::wstring>(), Reported(events));
    }
}

} // namespace
