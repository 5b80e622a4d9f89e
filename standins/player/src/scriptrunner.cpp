#include "scriptrunner.h"

#include "base64.h"
#include "callprotocol.h"

#include <cstdlib>

namespace standin {

namespace {

constexpr uint32_t kDefaultWaitMs = 5000;
constexpr uint32_t kDefaultBenchWaitMs = 60000;
constexpr int kStepsPerTick = 32;

bool Reached(uint32_t now, uint32_t deadline)
{
    return int32_t(now - deadline) >= 0;
}

uint32_t ParseMilliseconds(const std::string& text, uint32_t fallback)
{
    if (text.empty())
        return fallback;
    char* end = nullptr;
    long value = std::strtol(text.c_str(), &end, 10);
    return (end && *end == '\0' && value >= 0) ? uint32_t(value) : fallback;
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to)
{
    for (size_t pos = text.find(from); pos != std::string::npos; pos = text.find(from, pos + to.size()))
        text.replace(pos, from.size(), to);
}

// The JSON text of a value when the text parses, else the text itself.
std::string JsonOrText(const std::string& text)
{
    JsonValue value;
    return JsonValue::Parse(text, value) ? value.Serialise() : text;
}

} // namespace

void ScriptRunner::Start(const std::string& scriptText, uint32_t nowMs)
{
    m_steps = ParseMovieScript(scriptText);
    m_next = 0;
    m_running = true;
    m_waiting = false;
    m_now = nowMs;
    m_events.clear();
    m_finishedRequests.clear();
    m_eventTally.Disarm();
    m_urlBenchActive = false;
    m_passed = m_failed = 0;
    m_host.Record("script start steps=" + std::to_string(m_steps.size()));
}

void ScriptRunner::Tick(uint32_t nowMs)
{
    if (m_inTick || !m_running)
        return;
    m_inTick = true;
    m_now = nowMs;
    for (int done = 0; m_running && done < kStepsPerTick; ++done) {
        if (m_next >= m_steps.size()) {
            Finish();
            break;
        }
        if (RunStep(m_steps[m_next]) == Outcome::Wait)
            break;
        m_waiting = false;
        ++m_next;
    }
    m_inTick = false;
}

ScriptRunner::Outcome ScriptRunner::RunStep(const ScriptStep& step)
{
    using Handler = Outcome (ScriptRunner::*)(const ScriptStep&);
    // A constant table: no guarded static initialisation in the plug-in.
    static const struct {
        const char* word;
        Handler handler;
    } kHandlers[] = {
        {"caller", &ScriptRunner::StepCaller},       {"init", &ScriptRunner::StepInit},
        {"expect", &ScriptRunner::StepExpect},       {"expectraw", &ScriptRunner::StepExpectRaw},
        {"wait", &ScriptRunner::StepWait},           {"expectevent", &ScriptRunner::StepExpectEvent},
        {"callback", &ScriptRunner::StepCallback},   {"var", &ScriptRunner::StepVar},
        {"expectvar", &ScriptRunner::StepExpectVar}, {"geturl", &ScriptRunner::StepGetUrl},
        {"posturl", &ScriptRunner::StepPostUrl},     {"waiturl", &ScriptRunner::StepWaitUrl},
        {"expecturl", &ScriptRunner::StepExpectUrl}, {"loadmovie", &ScriptRunner::StepLoadMovie},
        {"sleep", &ScriptRunner::StepSleep},         {"quit", &ScriptRunner::StepQuit},
        {"bench", &ScriptRunner::StepBench},         {"benchevents", &ScriptRunner::StepBenchEvents},
        {"benchurl", &ScriptRunner::StepBenchUrl},
    };
    if (step.word == "call")
        return StepCall(step, false);
    if (step.word == "async")
        return StepCall(step, true);
    for (const auto& entry : kHandlers)
        if (step.word == entry.word)
            return (this->*entry.handler)(step);
    Check(false, "line " + std::to_string(step.line) + ": unknown step " + step.word);
    return Outcome::Next;
}

ScriptRunner::Outcome ScriptRunner::StepCaller(const ScriptStep& step)
{
    m_callerId = std::atoi(step.operand.c_str());
    return Outcome::Next;
}

ScriptRunner::Outcome ScriptRunner::StepInit(const ScriptStep&)
{
    MakeCall(false, "[\"nxa.init\"]");
    if (!m_lastReplyValid)
        return Outcome::Next;
    // A movie played directly gets its form id as a string; a movie behind the
    // loader gets {"formId": n, "swfName": path}.
    if (m_lastReply.GetKind() == JsonValue::Kind::String) {
        m_formId = std::atoi(m_lastReply.Text().c_str());
    } else if (const JsonValue* formId = m_lastReply.Member("formId")) {
        m_formId = int(formId->Number());
        if (const JsonValue* swfName = m_lastReply.Member("swfName"))
            m_swfName = swfName->Text();
    }
    m_host.Record("form id " + std::to_string(m_formId));
    return Outcome::Next;
}

bool ScriptRunner::BuildCallArray(const std::string& operand, std::string& jsonText)
{
    JsonValue call;
    if (!operand.empty() && operand[0] == '[') {
        if (!JsonValue::Parse(operand, call))
            return false;
        jsonText = call.Serialise();
        return true;
    }
    std::string command, argumentText;
    SplitFirstWord(operand, command, argumentText);
    JsonValue arguments = JsonValue::MakeArray();
    if (!argumentText.empty() &&
        (!JsonValue::Parse(argumentText, arguments) || arguments.GetKind() != JsonValue::Kind::Array))
        return false;
    call = JsonValue::MakeArray();
    call.Items().push_back(JsonValue::MakeString(command));
    for (const JsonValue& argument : arguments.Items())
        call.Items().push_back(argument);
    jsonText = call.Serialise();
    return true;
}

void ScriptRunner::MakeCall(bool async, const std::string& jsonText)
{
    std::string result;
    bool evaluated = m_host.Evaluate(BuildCommandScript(async, m_formId, m_callerId, jsonText), result);
    std::string record = std::string("call ") + (async ? "async " : "sync ") + jsonText + " -> ";
    m_lastRaw = result;
    m_lastReplyValid = false;
    m_lastReply = JsonValue();
    std::string replyText, decoded;
    if (!evaluated) {
        record += "refused";
    } else if (ParseStringReply(result, replyText) && Base64Decode(replyText, decoded)) {
        m_lastReplyValid = JsonValue::Parse(decoded, m_lastReply);
        record += decoded.empty() ? "empty" : "reply " + decoded;
    } else {
        record += "raw " + result;
    }
    m_host.Record(record);
}

ScriptRunner::Outcome ScriptRunner::StepCall(const ScriptStep& step, bool async)
{
    std::string jsonText;
    if (!BuildCallArray(step.operand, jsonText)) {
        Check(false, "line " + std::to_string(step.line) + ": bad call " + step.operand);
        return Outcome::Next;
    }
    MakeCall(async, jsonText);
    return Outcome::Next;
}

ScriptRunner::Outcome ScriptRunner::StepExpect(const ScriptStep& step)
{
    JsonValue expected;
    bool parsed = JsonValue::Parse(step.operand, expected);
    std::string actual = m_lastReplyValid ? m_lastReply.Serialise() : "(no reply)";
    Check(parsed && m_lastReplyValid && expected == m_lastReply, "expect " + step.operand + " got " + actual);
    return Outcome::Next;
}

ScriptRunner::Outcome ScriptRunner::StepExpectRaw(const ScriptStep& step)
{
    std::string expected = step.operand == "-" ? std::string() : step.operand;
    Check(m_lastRaw == expected, "expectraw " + step.operand + " got " + m_lastRaw);
    return Outcome::Next;
}

bool ScriptRunner::WaitExpired(const std::string& timeoutText)
{
    if (!m_waiting) {
        m_waiting = true;
        m_waitDeadline = m_now + ParseMilliseconds(timeoutText, kDefaultWaitMs);
        return false;
    }
    return Reached(m_now, m_waitDeadline);
}

ScriptRunner::Outcome ScriptRunner::StepWait(const ScriptStep& step)
{
    std::string name, timeout;
    SplitFirstWord(step.operand, name, timeout);
    for (auto event = m_events.begin(); event != m_events.end(); ++event) {
        if (event->name == name) {
            m_lastEvent = *event;
            m_events.erase(event);
            Check(true, "wait " + name);
            return Outcome::Next;
        }
    }
    if (!WaitExpired(timeout))
        return Outcome::Wait;
    m_lastEvent = Event();
    Check(false, "wait " + name + ": timed out");
    return Outcome::Next;
}

ScriptRunner::Outcome ScriptRunner::StepExpectEvent(const ScriptStep& step)
{
    JsonValue expected, actual;
    bool parsed = JsonValue::Parse(step.operand, expected) && JsonValue::Parse(m_lastEvent.payload, actual);
    Check(parsed && expected == actual, "expectevent " + step.operand + " got " + m_lastEvent.payload);
    return Outcome::Next;
}

ScriptRunner::Outcome ScriptRunner::StepCallback(const ScriptStep& step)
{
    std::string name, xml;
    SplitFirstWord(step.operand, name, xml);
    m_callbacks[name] = xml.empty() ? "<undefined/>" : xml;
    return Outcome::Next;
}

ScriptRunner::Outcome ScriptRunner::StepVar(const ScriptStep& step)
{
    std::string name, value;
    SplitFirstWord(step.operand, name, value);
    m_variables[name] = value;
    return Outcome::Next;
}

ScriptRunner::Outcome ScriptRunner::StepExpectVar(const ScriptStep& step)
{
    std::string name, expected, actual = "(unset)";
    SplitFirstWord(step.operand, name, expected);
    bool found = GetVariable(name, actual);
    Check(found && actual == expected, "expectvar " + name + " " + expected + " got " + actual);
    return Outcome::Next;
}

ScriptRunner::Outcome ScriptRunner::StepGetUrl(const ScriptStep& step)
{
    std::string url, target;
    SplitFirstWord(step.operand, url, target);
    int result = m_host.RequestUrl(url, target, nullptr);
    m_host.Record("geturl " + url + (target.empty() ? "" : " target=" + target) + " -> " + std::to_string(result));
    return Outcome::Next;
}

ScriptRunner::Outcome ScriptRunner::StepPostUrl(const ScriptStep& step)
{
    std::string url, body;
    SplitFirstWord(step.operand, url, body);
    int result = m_host.RequestUrl(url, std::string(), &body);
    m_host.Record("posturl " + url + " body=" + body + " -> " + std::to_string(result));
    return Outcome::Next;
}

ScriptRunner::Outcome ScriptRunner::StepWaitUrl(const ScriptStep& step)
{
    if (!m_finishedRequests.empty()) {
        m_lastRequest = m_finishedRequests.front();
        m_finishedRequests.pop_front();
        Check(true, "waiturl " + m_lastRequest.url);
        return Outcome::Next;
    }
    if (!WaitExpired(step.operand))
        return Outcome::Wait;
    m_lastRequest = FinishedRequest();
    m_lastRequest.reason = -1;
    Check(false, "waiturl: timed out");
    return Outcome::Next;
}

ScriptRunner::Outcome ScriptRunner::StepExpectUrl(const ScriptStep& step)
{
    std::string reason, text;
    SplitFirstWord(step.operand, reason, text);
    bool passed = std::atoi(reason.c_str()) == m_lastRequest.reason && (text.empty() || text == m_lastRequest.data);
    Check(passed, "expecturl " + step.operand + " got " + std::to_string(m_lastRequest.reason) + " " +
                      std::to_string(m_lastRequest.data.size()) + " bytes");
    return Outcome::Next;
}

ScriptRunner::Outcome ScriptRunner::StepLoadMovie(const ScriptStep& step)
{
    std::string url = step.operand;
    ReplaceAll(url, "%SWFNAME%", m_swfName);
    int result = m_host.LoadMovie(url);
    m_host.Record("loadmovie " + url + " -> " + std::to_string(result));
    Check(result == 0, "loadmovie request");
    Finish();
    return Outcome::Wait;
}

ScriptRunner::Outcome ScriptRunner::StepSleep(const ScriptStep& step)
{
    return WaitExpired(step.operand) ? Outcome::Next : Outcome::Wait;
}

ScriptRunner::Outcome ScriptRunner::StepQuit(const ScriptStep& step)
{
    std::string operand = step.operand;
    Finish();
    if (operand.empty())
        return Outcome::Wait;
    ReplaceAll(operand, "%FAILS%", std::to_string(m_failed));
    std::string jsonText;
    if (BuildCallArray(operand, jsonText))
        MakeCall(false, jsonText);
    return Outcome::Wait;
}

ScriptRunner::Outcome ScriptRunner::StepBench(const ScriptStep& step)
{
    std::string countText, callOperand, jsonText;
    SplitFirstWord(step.operand, countText, callOperand);
    const long count = std::strtol(countText.c_str(), nullptr, 10);
    if (count <= 0 || !BuildCallArray(callOperand, jsonText)) {
        Check(false, "line " + std::to_string(step.line) + ": bad bench " + step.operand);
        return Outcome::Next;
    }
    std::string command, arguments;
    SplitFirstWord(callOperand, command, arguments);
    const std::string script = BuildCommandScript(false, m_formId, m_callerId, jsonText);
    std::string result, replyText;
    bool answered = true;
    const int64_t startNs = SteadyNowNs();
    for (long call = 0; call < count; ++call)
        answered = m_host.Evaluate(script, result) && answered;
    const int64_t elapsedNs = SteadyNowNs() - startNs;
    m_host.Record("bench " + command + " calls=" + std::to_string(count) + " bytes=" + std::to_string(jsonText.size()) +
                  " ns=" + std::to_string(elapsedNs));
    Check(answered && ParseStringReply(result, replyText), "bench " + command + " replies");
    return Outcome::Next;
}

ScriptRunner::Outcome ScriptRunner::StepBenchEvents(const ScriptStep& step)
{
    std::string countText, rest, name, timeout;
    SplitFirstWord(step.operand, countText, rest);
    SplitFirstWord(rest, name, timeout);
    const long count = std::strtol(countText.c_str(), nullptr, 10);
    if (count <= 0 || name.empty()) {
        Check(false, "line " + std::to_string(step.line) + ": bad benchevents " + step.operand);
        return Outcome::Next;
    }
    if (!m_waiting) {
        m_eventTally.Arm(name, size_t(count));
        m_host.Record("benchevents " + name + " armed");
        WaitExpired(timeout.empty() ? std::to_string(kDefaultBenchWaitMs) : timeout);
        return Outcome::Wait;
    }
    if (!m_eventTally.Complete() && !WaitExpired(timeout))
        return Outcome::Wait;
    m_eventTally.Disarm();
    m_host.Record("benchevents " + name + " " + m_eventTally.Summary());
    Check(m_eventTally.InOrder(), "benchevents " + name + " all once and in order");
    return Outcome::Next;
}

ScriptRunner::Outcome ScriptRunner::StepBenchUrl(const ScriptStep& step)
{
    std::string url, timeout;
    SplitFirstWord(step.operand, url, timeout);
    if (!m_waiting) {
        m_finishedRequests.clear();
        m_urlBenchActive = true;
        m_urlBenchStartNs = SteadyNowNs();
        const int result = m_host.RequestUrl(url, std::string(), nullptr);
        if (result != 0) {
            m_urlBenchActive = false;
            Check(false, "benchurl " + url + " -> " + std::to_string(result));
            return Outcome::Next;
        }
        WaitExpired(timeout.empty() ? std::to_string(kDefaultBenchWaitMs) : timeout);
        return Outcome::Wait;
    }
    if (m_finishedRequests.empty() && !WaitExpired(timeout))
        return Outcome::Wait;
    m_urlBenchActive = false;
    FinishedRequest finished;
    finished.reason = -1;
    if (!m_finishedRequests.empty()) {
        finished = m_finishedRequests.front();
        m_finishedRequests.pop_front();
    }
    m_host.Record("benchurl bytes=" + std::to_string(finished.byteCount) +
                  " ns=" + std::to_string(finished.finishedNs - m_urlBenchStartNs) +
                  " reason=" + std::to_string(finished.reason));
    Check(finished.reason == 0, "benchurl " + url + " done");
    return Outcome::Next;
}

void ScriptRunner::Check(bool passed, const std::string& what)
{
    ++(passed ? m_passed : m_failed);
    m_host.Record(std::string(passed ? "check pass " : "check fail ") + what);
}

void ScriptRunner::Finish()
{
    if (!m_running)
        return;
    m_running = false;
    m_host.Record("script end passed=" + std::to_string(m_passed) + " failed=" + std::to_string(m_failed));
}

void ScriptRunner::OnAsyncEvent(const std::string& name, const std::string& callerId, const std::string& payloadBase64)
{
    if (m_eventTally.Armed() && name == m_eventTally.Name()) {
        const int64_t arrivalNs = SteadyNowNs();
        std::string payload;
        Base64Decode(payloadBase64, payload);
        m_eventTally.Add(payload, arrivalNs);
        return;
    }
    Event event;
    event.name = name;
    event.callerId = callerId;
    if (!Base64Decode(payloadBase64, event.payload))
        event.payload = "(bad Base64) " + payloadBase64;
    m_host.Record("event " + name + " caller=" + callerId + " payload=" + JsonOrText(event.payload));
    m_events.push_back(event);
}

bool ScriptRunner::AnswerCall(const std::string& function, std::string& xml) const
{
    auto callback = m_callbacks.find(function);
    if (callback == m_callbacks.end())
        return false;
    xml = callback->second;
    return true;
}

bool ScriptRunner::GetVariable(const std::string& name, std::string& value) const
{
    auto variable = m_variables.find(name);
    if (variable == m_variables.end())
        return false;
    value = variable->second;
    return true;
}

void ScriptRunner::SetVariable(const std::string& name, const std::string& value)
{
    m_variables[name] = value;
}

void ScriptRunner::OnUrlFinished(const std::string& url, int reason, const std::string& data, size_t byteCount)
{
    m_finishedRequests.push_back(FinishedRequest{url, reason, data, byteCount, SteadyNowNs()});
}

std::string ScriptRunner::StatusText() const
{
    return std::string(m_running ? "running" : "stopped") + " step " + std::to_string(m_next) + "/" +
           std::to_string(m_steps.size()) + ", passed " + std::to_string(m_passed) + ", failed " +
           std::to_string(m_failed) + ", form " + std::to_string(m_formId);
}

} // namespace standin
