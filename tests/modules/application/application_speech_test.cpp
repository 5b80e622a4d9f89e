// "nxa.Application.say" with a fake voice behind the voice seam: the text is
// handed over without waiting, and an asynchronous call is answered by one
// "onSayComplete" once the voice is done.
#include "commandcalls.h"
#include "eventcapture.h"
#include "messagepumping.h"
#include "nxaapplication.h"
#include "sapivoice.h"
#include "scopedcommandcentre.h"
#include "speechmsw.h"
#include "speechvoice.h"

#include <gtest/gtest.h>

#include <wx/msw/wrapwin.h>

#include <objbase.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace {

// What the test sees of the fake voices it hands out.
struct VoiceRecord {
    std::mutex lock;
    std::vector<wxString> spoken;
    std::vector<DWORD> madeOnThreads;
    bool refuses = false;
    bool complete = false;
    int completionChecks = 0;

    std::vector<wxString> Spoken()
    {
        std::lock_guard<std::mutex> hold(lock);
        return spoken;
    }
    int CompletionChecks()
    {
        std::lock_guard<std::mutex> hold(lock);
        return completionChecks;
    }
    void SetComplete(bool value)
    {
        std::lock_guard<std::mutex> hold(lock);
        complete = value;
    }
};

class FakeVoice : public SpeechVoice {
public:
    explicit FakeVoice(std::shared_ptr<VoiceRecord> record) : m_record(std::move(record)) {}

    bool Speak(const wxString& text) override
    {
        std::lock_guard<std::mutex> hold(m_record->lock);
        if (m_record->refuses)
            return false;
        m_record->spoken.push_back(text);
        return true;
    }
    bool IsSpeakComplete() override
    {
        std::lock_guard<std::mutex> hold(m_record->lock);
        ++m_record->completionChecks;
        return m_record->complete;
    }

private:
    std::shared_ptr<VoiceRecord> m_record;
};

// The period of the completion poll, for waits that give it its chance.
constexpr int kPollMs = 100;

std::string Say(const std::string& id, const std::string& text)
{
    return id + ", \"" + text + "\"";
}

class SpeechTest : public testing::Test {
protected:
    SpeechTest() : m_record(std::make_shared<VoiceRecord>())
    {
        SetSpeechVoiceFactory([record = m_record]() -> std::unique_ptr<SpeechVoice> {
            std::lock_guard<std::mutex> hold(record->lock);
            record->madeOnThreads.push_back(GetCurrentThreadId());
            return std::make_unique<FakeVoice>(record);
        });
    }
    ~SpeechTest() override { SetSpeechVoiceFactory(nullptr); }

    std::shared_ptr<VoiceRecord> m_record;
};

TEST_F(SpeechTest, AsynchronousSayReportsCompletionOnce)
{
    ScopedCommandCentre centre({&nxaApplication::Frame::Descriptor()});
    ASSERT_TRUE(centre.Initialised());
    EventCapture capture;
    const std::string id = CallCommandSync("nxa.Application.create", "", 1, 4);

    CallCommandAsync("nxa.Application.say", Say(id, "hello there"), 1, 4);
    ASSERT_TRUE(PumpMessagesUntil([&] { return !m_record->Spoken().empty(); }));
    ASSERT_TRUE(PumpMessagesUntil([&] { return m_record->CompletionChecks() >= 2; }));
    EXPECT_TRUE(capture.Events().empty()) << "the voice is still speaking";

    m_record->SetComplete(true);
    ASSERT_TRUE(PumpMessagesUntil([&] { return !capture.Events().empty(); }));
    ASSERT_TRUE(PumpThroughTimerPeriods(kPollMs));
    const std::vector<AsyncEventData> events = capture.Events();
    ASSERT_EQ(1u, events.size());
    EXPECT_EQ(L"onSayComplete", events[0].eventName);
    EXPECT_EQ(L"{ }", events[0].payload);
    EXPECT_EQ(1, events[0].formId);
    EXPECT_EQ(4, events[0].callerId);
    EXPECT_EQ(std::vector<wxString>{L"hello there"}, m_record->Spoken());
}

TEST_F(SpeechTest, SynchronousSaySpeaksWithoutReport)
{
    ScopedCommandCentre centre({&nxaApplication::Frame::Descriptor()});
    EventCapture capture;
    const std::string id = CallCommandSync("nxa.Application.create");
    EXPECT_EQ("0", CallCommandSync("nxa.Application.say", Say(id, "quietly")));
    EXPECT_EQ(std::vector<wxString>{L"quietly"}, m_record->Spoken());
    m_record->SetComplete(true);
    ASSERT_TRUE(PumpThroughTimerPeriods(kPollMs));
    EXPECT_TRUE(capture.Events().empty());
}

TEST_F(SpeechTest, SecondSayTakesOverTheFirstsReport)
{
    ScopedCommandCentre centre({&nxaApplication::Frame::Descriptor()});
    EventCapture capture;
    const std::string id = CallCommandSync("nxa.Application.create");
    CallCommandAsync("nxa.Application.say", Say(id, "one"));
    CallCommandAsync("nxa.Application.say", Say(id, "two"));
    ASSERT_TRUE(PumpMessagesUntil([&] { return m_record->Spoken().size() == 2; }));
    m_record->SetComplete(true);
    ASSERT_TRUE(PumpMessagesUntil([&] { return !capture.Events().empty(); }));
    ASSERT_TRUE(PumpThroughTimerPeriods(kPollMs));
    EXPECT_EQ((std::vector<wxString>{L"one", L"two"}), m_record->Spoken());
    ASSERT_EQ(1u, capture.Events().size());
    EXPECT_EQ(L"onSayComplete", capture.Events()[0].eventName);
}

TEST_F(SpeechTest, NothingIsReportedWhenThereIsNothingToWaitFor)
{
    struct Case {
        const char* name;
        bool voiceRefuses;
        bool noVoice;
    };
    for (const Case& entry : {Case{"voice refuses the text", true, false}, Case{"no voice", false, true}}) {
        SCOPED_TRACE(entry.name);
        m_record->refuses = entry.voiceRefuses;
        m_record->complete = true;
        if (entry.noVoice)
            SetSpeechVoiceFactory([] { return std::unique_ptr<SpeechVoice>(); });
        ScopedCommandCentre centre({&nxaApplication::Frame::Descriptor()});
        EventCapture capture;
        const std::string id = CallCommandSync("nxa.Application.create");
        EXPECT_NE("-1", id);
        CallCommandAsync("nxa.Application.say", Say(id, "words"));
        // The call goes straight to the main thread and runs in the first
        // pump; a poll would then have had three periods to report.
        ASSERT_TRUE(PumpThroughTimerPeriods(kPollMs));
        EXPECT_TRUE(capture.Events().empty());
        EXPECT_TRUE(m_record->Spoken().empty());
    }
}

TEST_F(SpeechTest, WrongCallsAnswerZeroAndSpeakNothing)
{
    ScopedCommandCentre centre({&nxaApplication::Frame::Descriptor()});
    const std::string id = CallCommandSync("nxa.Application.create");
    EXPECT_EQ("0", CallCommandSync("nxa.Application.say", id));
    EXPECT_EQ("0", CallCommandSync("nxa.Application.say", Say(id, "a") + ", 1"));
    EXPECT_EQ("0", CallCommandSync("nxa.Application.say", Say("9999", "a")));
    EXPECT_TRUE(m_record->Spoken().empty());
}

TEST_F(SpeechTest, VoiceIsMadeOnTheMainThread)
{
    ScopedCommandCentre centre({&nxaApplication::Frame::Descriptor()});
    // An asynchronous create runs on the worker; the voice still comes from
    // the main thread.
    CallCommandAsync("nxa.Application.create");
    ASSERT_TRUE(PumpMessagesUntil([&] {
        std::lock_guard<std::mutex> hold(m_record->lock);
        return !m_record->madeOnThreads.empty();
    }));
    std::lock_guard<std::mutex> hold(m_record->lock);
    EXPECT_EQ(std::vector<DWORD>{GetCurrentThreadId()}, m_record->madeOnThreads);
}

TEST_F(SpeechTest, ReleaseEndsThePoll)
{
    EventCapture capture;
    SpeechMSW speech(0, 1);
    ASSERT_TRUE(speech.Init());
    EXPECT_TRUE(speech.Say(L"interrupted", true));
    speech.Release();
    EXPECT_FALSE(speech.HasVoice());
    m_record->SetComplete(true);
    ASSERT_TRUE(PumpThroughTimerPeriods(kPollMs));
    EXPECT_TRUE(capture.Events().empty());
    EXPECT_FALSE(speech.Say(L"after release", true));
}

TEST(SapiVoiceTest, SystemVoiceCanBeMade)
{
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    EXPECT_NE(nullptr, SapiVoice::Create());
    CoUninitialize();
}

} // namespace
