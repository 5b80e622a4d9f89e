#pragma once

#include "eventtally.h"
#include "jsonvalue.h"
#include "moviescript.h"
#include "scripthost.h"

#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

namespace standin {

// Plays one movie script step by step. The player calls Tick from a timer on
// its main thread; steps that wait (wait, waiturl, sleep) return to the
// message loop and are tried again on the next tick, so events and URL
// streams arrive in between. Checks and calls are recorded through the host.
class ScriptRunner {
public:
    explicit ScriptRunner(ScriptHost& host) : m_host(host) {}

    // Replaces whatever ran before with this script (variables and callbacks
    // are kept, as a loaded movie keeps its loader's registrations).
    void Start(const std::string& scriptText, uint32_t nowMs);

    // Runs steps until one waits or the script ends. Does nothing while a
    // step of this runner is already running (a modal loop inside a call can
    // dispatch the timer again).
    void Tick(uint32_t nowMs);

    bool Running() const { return m_running; }

    // True while a benchmark step runs: the player then skips its record of
    // every scripting call and URL write, which would dwarf what is timed.
    bool Quiet() const { return m_eventTally.Armed() || m_urlBenchActive; }

    // "TevOnAsyncEvent" (event name, caller id, Base64 of the JSON payload).
    void OnAsyncEvent(const std::string& name, const std::string& callerId, const std::string& payloadBase64);

    // The answer to a host call of a movie function registered with "callback".
    bool AnswerCall(const std::string& function, std::string& xml) const;

    bool GetVariable(const std::string& name, std::string& value) const;
    void SetVariable(const std::string& name, const std::string& value);

    // End of a URL request that a geturl, posturl or benchurl step started;
    // byteCount counts the written bytes, also those not kept in data.
    void OnUrlFinished(const std::string& url, int reason, const std::string& data, size_t byteCount);

    // One line about the script's progress, for painting.
    std::string StatusText() const;

private:
    enum class Outcome { Next, Wait };
    struct Event {
        std::string name;
        std::string callerId;
        std::string payload;
    };
    struct FinishedRequest {
        std::string url;
        int reason = 0;
        std::string data;
        size_t byteCount = 0;
        int64_t finishedNs = 0;
    };

    Outcome RunStep(const ScriptStep& step);
    Outcome StepCaller(const ScriptStep& step);
    Outcome StepInit(const ScriptStep& step);
    Outcome StepCall(const ScriptStep& step, bool async);
    Outcome StepExpect(const ScriptStep& step);
    Outcome StepExpectRaw(const ScriptStep& step);
    Outcome StepWait(const ScriptStep& step);
    Outcome StepExpectEvent(const ScriptStep& step);
    Outcome StepCallback(const ScriptStep& step);
    Outcome StepVar(const ScriptStep& step);
    Outcome StepExpectVar(const ScriptStep& step);
    Outcome StepGetUrl(const ScriptStep& step);
    Outcome StepPostUrl(const ScriptStep& step);
    Outcome StepWaitUrl(const ScriptStep& step);
    Outcome StepExpectUrl(const ScriptStep& step);
    Outcome StepLoadMovie(const ScriptStep& step);
    Outcome StepSleep(const ScriptStep& step);
    Outcome StepQuit(const ScriptStep& step);
    Outcome StepBench(const ScriptStep& step);
    Outcome StepBenchEvents(const ScriptStep& step);
    Outcome StepBenchUrl(const ScriptStep& step);

    // Builds the call text [command, args...] from a step operand.
    bool BuildCallArray(const std::string& operand, std::string& jsonText);
    void MakeCall(bool async, const std::string& jsonText);
    bool WaitExpired(const std::string& timeoutText);
    void Check(bool passed, const std::string& what);
    void Finish();

    ScriptHost& m_host;
    std::vector<ScriptStep> m_steps;
    size_t m_next = 0;
    bool m_running = false;
    bool m_inTick = false;
    uint32_t m_now = 0;
    bool m_waiting = false;
    uint32_t m_waitDeadline = 0;

    int m_formId = -1;
    int m_callerId = 0;
    std::string m_swfName;
    std::string m_lastRaw;
    JsonValue m_lastReply;
    bool m_lastReplyValid = false;
    std::deque<Event> m_events;
    Event m_lastEvent;
    std::deque<FinishedRequest> m_finishedRequests;
    FinishedRequest m_lastRequest;
    std::map<std::string, std::string> m_variables;
    std::map<std::string, std::string> m_callbacks;
    int m_passed = 0;
    int m_failed = 0;
    EventTally m_eventTally;
    bool m_urlBenchActive = false;
    int64_t m_urlBenchStartNs = 0;
};

} // namespace standin
