// Calls every registered built-in row the way a careless or hostile movie
// might: with no arguments, one too many, one too few and, for object rows,
// an id never handed out, synchronously and asynchronously. Every row must
// answer its declared fallback (synchronous calls), valid JSON, within a
// bound, without a modal box, and flagged rows must run on the main thread.
// The sweep takes the rows from the command map, so it grows with every
// module by itself.
#include "commandcalls.h"
#include "commandcentre.h"
#include "eventcapture.h"
#include "modulelist.h"
#include "rowcontext.h"
#include "scopedcommandcentre.h"
#include "standinform.h"
#include "unknowncommandcapture.h"

#include <gtest/gtest.h>

#include <json-c/json.h>

#include <wx/stopwatch.h>
#include <wx/thread.h>

#include <windows.h>

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

// Rows the sweep leaves out, each with the reason. Only a row whose wrong or
// unknown-object calls would still end the session or change the machine
// belongs here; none does yet.
const std::map<std::string, const char*> kExcludedRows = {};

const int32_t kUnknownId = 987654;
const long kCallBoundMs = 15000;

struct SweepCall {
    std::string name;
    std::string args;       // JSON text of the arguments, without brackets
    bool answersFallback;   // a wrong count or an unknown object
};

std::string Arguments(int32_t count, bool unknownIdFirst)
{
    std::string args;
    for (int32_t index = 0; index < count; ++index) {
        if (index > 0)
            args += ", ";
        args += index == 0 && unknownIdFirst ? std::to_string(kUnknownId) : std::string("null");
    }
    return args;
}

std::vector<SweepCall> CallsFor(const std::string& name, const RowRule& rule)
{
    if (rule.argc == kAnyArgCount)
        return {{name, "", false}, {name, "null", false}};
    std::vector<SweepCall> calls;
    calls.push_back({name, "", rule.argc != 0}); // a create row's right count runs for real
    if (rule.argc > 1)
        calls.push_back({name, Arguments(rule.argc - 1, false), true});
    calls.push_back({name, Arguments(rule.argc + 1, false), true});
    if (rule.TakesObject() && rule.argc > 0)
        calls.push_back({name, Arguments(rule.argc, true), true});
    return calls;
}

bool IsJson(const std::string& text)
{
    json_tokener_error error = json_tokener_success;
    json_object* value = json_tokener_parse_verbose(text.c_str(), &error);
    json_object_put(value);
    return error == json_tokener_success;
}

// Watches the process's top-level windows while it lives: a standard dialog
// box that appears is recorded with the call that was running and closed, so
// a row that opens one fails the sweep instead of hanging it.
class ModalBoxWatch {
public:
    ModalBoxWatch() : m_thread([this] { Watch(); }) {}
    ~ModalBoxWatch()
    {
        m_stop = true;
        m_thread.join();
    }

    void SetCurrentCall(const std::string& call)
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_currentCall = call;
    }

    std::vector<std::string> Boxes() const
    {
        std::lock_guard<std::mutex> hold(m_lock);
        return m_boxes;
    }

private:
    static BOOL CALLBACK CloseBox(HWND window, LPARAM self)
    {
        DWORD process = 0;
        ::GetWindowThreadProcessId(window, &process);
        wchar_t className[32] = {};
        ::GetClassNameW(window, className, 32);
        if (process == ::GetCurrentProcessId() && ::IsWindowVisible(window) &&
            std::wstring(className) == L"#32770") {
            auto* watch = reinterpret_cast<ModalBoxWatch*>(self);
            {
                std::lock_guard<std::mutex> hold(watch->m_lock);
                watch->m_boxes.push_back(watch->m_currentCall);
            }
            ::PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
            ::PostMessageW(window, WM_CLOSE, 0, 0);
        }
        return TRUE;
    }

    void Watch()
    {
        while (!m_stop) {
            ::EnumWindows(CloseBox, reinterpret_cast<LPARAM>(this));
            ::Sleep(50);
        }
    }

    mutable std::mutex m_lock;
    std::string m_currentCall;
    std::vector<std::string> m_boxes;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

// Every handler run, with the thread it ran on.
class RowRunLog {
public:
    RowRunLog()
    {
        CommandCentre::Get().SetRowObserver([this](const wxString& name) {
            std::lock_guard<std::mutex> hold(m_lock);
            m_runs.push_back({name.ToStdString(), wxThread::IsMain()});
        });
    }
    ~RowRunLog() { CommandCentre::Get().SetRowObserver(nullptr); }

    struct Run {
        std::string name;
        bool onMainThread;
    };

    std::vector<Run> Runs() const
    {
        std::lock_guard<std::mutex> hold(m_lock);
        return m_runs;
    }

    size_t RunsOf(const std::string& name) const
    {
        size_t count = 0;
        for (const Run& run : Runs())
            count += run.name == name ? 1 : 0;
        return count;
    }

private:
    mutable std::mutex m_lock;
    std::vector<Run> m_runs;
};

class RowSweep : public testing::Test {
protected:
    // Every sweepable row with its rule, in name order.
    std::vector<std::pair<std::string, RowRule>> SweptRows() const
    {
        std::vector<std::pair<std::string, RowRule>> rows;
        for (const wxString& name : CommandCentre::Get().CommandNames()) {
            RowRule rule{};
            EXPECT_TRUE(CommandCentre::Get().FindRule(name, rule)) << name << " has no rule";
            if (!kExcludedRows.count(name.ToStdString()))
                rows.emplace_back(name.ToStdString(), rule);
        }
        return rows;
    }

    ScopedCommandCentre centre{BuiltInModules()};
    StandInForm form{0, "main"};
    UnknownCommandCapture unknown;
    EventCapture events;
    ModalBoxWatch boxes;
};

TEST_F(RowSweep, EveryRowDeclaresAFallbackThatIsJson)
{
    ASSERT_TRUE(centre.Initialised());
    for (const auto& row : SweptRows()) {
        ASSERT_NE(nullptr, row.second.fallback) << row.first;
        EXPECT_TRUE(IsJson(row.second.fallback)) << row.first << ": " << row.second.fallback;
    }
}

TEST_F(RowSweep, SynchronousCallsAnswerTheDeclaredFallback)
{
    ASSERT_TRUE(centre.Initialised());
    const auto rows = SweptRows();
    ASSERT_GE(rows.size(), 68u); // Application and DX9 at least
    for (const auto& row : rows) {
        for (const SweepCall& call : CallsFor(row.first, row.second)) {
            const std::string label = call.name + "(" + call.args + ")";
            boxes.SetCurrentCall(label);
            wxStopWatch watch;
            const std::string reply = CallCommandSync(call.name, call.args);
            EXPECT_LT(watch.Time(), kCallBoundMs) << label;
            EXPECT_TRUE(IsJson(reply)) << label << " -> " << reply;
            if (call.answersFallback)
                EXPECT_EQ(FallbackJson(&row.second), reply) << label;
        }
    }
    EXPECT_EQ(std::vector<std::string>(), boxes.Boxes());
    EXPECT_TRUE(unknown.Reports().empty());
    EXPECT_EQ("0", CallCommandSync("nxa.Application.init"));
}

TEST_F(RowSweep, AsynchronousCallsStayOnTheirThreadAndLeaveTheCentreWorking)
{
    ASSERT_TRUE(centre.Initialised());
    RowRunLog log;
    const std::string finalCall = "nxa.Application.init";
    size_t finalRuns = 1;
    for (const auto& row : SweptRows()) {
        for (const SweepCall& call : CallsFor(row.first, row.second)) {
            CallCommandAsync(call.name, call.args);
            finalRuns += call.name == finalCall ? 1 : 0;
        }
    }
    // Queued calls run first in, first out: the final call runs last.
    CallCommandAsync(finalCall, "\"end\"");
    ASSERT_TRUE(PumpEventsUntil([&] { return log.RunsOf(finalCall) >= finalRuns; }, 120000))
        << "the asynchronous calls did not all come through";

    for (const RowRunLog::Run& run : log.Runs()) {
        RowRule rule{};
        ASSERT_TRUE(CommandCentre::Get().FindRule(run.name, rule)) << run.name;
        if (rule.RunsOnMainThread())
            EXPECT_TRUE(run.onMainThread) << run.name << " ran off the main thread";
    }
    EXPECT_EQ(std::vector<std::string>(), boxes.Boxes());
    EXPECT_TRUE(unknown.Reports().empty());
    EXPECT_EQ("0", CallCommandSync(finalCall));
}

} // namespace
