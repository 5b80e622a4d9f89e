#include "commandcentre.h"

#include "asyncthread.h"
#include "base64.h"
#include "calltext.h"
#include "commandargs.h"
#include "commandarray.h"
#include "debugoutput.h"
#include "eventrequest.h"
#include "filewriteguard.h"
#include "mainthread.h"
#include "movieform.h"
#include "rowcontext.h"
#include "textconv.h"

#include <json-c/json.h>

#include <wx/app.h>
#include <wx/log.h>
#include <wx/msgdlg.h>
#include <wx/time.h>
#include <wx/utils.h>

#include <chrono>
#include <functional>

namespace {

const char kEmptyReply[] = "<string></string>";
// How long a stopping worker may take to end its call before it is cut off.
const int kWorkerGraceMs = 250;
// How long it may go on beyond that while it writes a file.
const int kFileWriteGraceMs = 5000;
// How long the main thread delivers events before it turns to its window
// messages again. The turn (the messages waiting, then an idle pass of the
// toolkit's loop) costs about a millisecond, several on a machine short of
// processor time; 20 ms keeps that to a small part of a flood's rate while
// painting, input and timers still come about once a frame.
const auto kEventSlice = std::chrono::milliseconds(20);

// Sleeps in 10 ms steps while the condition holds, at most the given time.
void WaitWhile(const std::function<bool()>& condition, int milliseconds)
{
    const wxLongLong end = wxGetLocalTimeMillis() + milliseconds;
    while (condition() && wxGetLocalTimeMillis() < end)
        wxMilliSleep(10);
}

// "<string>" + the Base64 of the result text + "</string>", built in place.
std::string ReplyOf(std::string_view resultText)
{
    constexpr std::string_view open = "<string>", close = "</string>";
    std::string reply(open.size() + Base64EncodedLength(resultText.size()) + close.size(), '\0');
    open.copy(&reply[0], open.size());
    Base64EncodeTo(reinterpret_cast<const unsigned char*>(resultText.data()), resultText.size(), &reply[open.size()]);
    close.copy(&reply[reply.size() - close.size()], close.size());
    return reply;
}

wxString WideReply(const std::string& reply)
{
    return wxString::FromAscii(reply.data(), reply.size());
}

} // namespace

CommandCentre& CommandCentre::Get()
{
    static CommandCentre centre;
    return centre;
}

CommandCentre::CommandCentre() : m_events([this] { return WakeForEvents(); }, kEventSlice)
{
    Bind(AsyncCommandEvent, &CommandCentre::OnAsyncCommand, this);
    Bind(ModuleEvent, &CommandCentre::OnAsyncEvent, this);
}

bool CommandCentre::Initialise(const std::vector<ModuleDescriptor*>& modules,
                               std::vector<std::unique_ptr<ExtensionImage>> extensions)
{
    AllowMainThreadWork();
    m_modules = modules;
    m_extensions = std::move(extensions);
    for (ModuleDescriptor* module : m_modules) {
        if (!module)
            continue;
        if (module->Initialise && !module->Initialise())
            return false;
        EnterModuleRows(*module);
    }
    // Extension rows come last and replace built-in rows of the same name,
    // rule and all: their handlers see every call as it comes.
    for (const auto& extension : m_extensions) {
        CommandMap extensionRows;
        extension->Load(extensionRows);
        for (const auto& entry : extensionRows) {
            m_commands[entry.first] = entry.second;
            m_rules.erase(entry.first);
        }
    }
    StartWorker();
    return true;
}

void CommandCentre::EnterModuleRows(const ModuleDescriptor& module)
{
    for (int32_t index = 0; index < module.rowCount; ++index) {
        const CommandRow& row = module.rows[index];
        const wxString name(Utf8ToWide(row.name ? std::string(row.name) : std::string()));
        m_commands[name] = row;
        if (module.rules)
            m_rules[name] = module.rules[index];
        else
            m_rules.erase(name);
    }
}

void CommandCentre::Shutdown()
{
    StopWorker();
    for (ModuleDescriptor* module : m_modules) {
        if (module && module->Shutdown)
            module->Shutdown();
    }
    for (const auto& extension : m_extensions)
        extension->Unload();
    m_commands.clear();
    m_rules.clear();
    // Events that have not reached their movie yet have no form left to go to.
    m_events.Clear();
    StopResumingEvents();
    {
        std::lock_guard<std::mutex> hold(m_formLock);
        m_forms.clear();
    }
    m_modules.clear();
    m_extensions.clear();
}

void CommandCentre::StartWorker()
{
    if (m_worker)
        return;
    m_worker = new AsyncThread(*this);
    if (m_worker->Run() != wxTHREAD_NO_ERROR) {
        delete m_worker;
        m_worker = nullptr;
    }
}

void CommandCentre::StopWorker()
{
    // A worker waiting for the main thread is woken first, or it could not stop.
    CancelMainThreadWork();
    if (!m_worker)
        return;
    m_worker->RequestStop();
    wxMilliSleep(kWorkerGraceMs);
    // A file being written is let finish, and the call then given the grace
    // period again to return: cutting it off would leave the file truncated.
    if (m_worker->IsRunning() && FileWriteGuard::InFlight() > 0) {
        WaitWhile([this] { return m_worker->IsRunning() && FileWriteGuard::InFlight() > 0; }, kFileWriteGraceMs);
        WaitWhile([this] { return m_worker->IsRunning(); }, kWorkerGraceMs);
    }
    if (m_worker->IsRunning())
        m_worker->Kill(); // a call that outlasts the grace period is cut off
    else
        m_worker->Wait(wxTHREAD_WAIT_YIELD);
    delete m_worker;
    m_worker = nullptr;
    m_queue.Clear();
}

wxString CommandCentre::OnCommand(int32_t instanceFormId, const wxString& scriptText)
{
    try {
        return WideReply(OnEvaluation(instanceFormId, WideToUtf8(scriptText.wc_str(), scriptText.length())));
    } catch (...) {
        return kEmptyReply;
    }
}

std::string CommandCentre::OnEvaluation(int32_t instanceFormId, std::string_view script)
{
    // Nothing may unwind into the plug-in's frames: a call that cannot even be
    // read (memory ran out) answers the empty element.
    try {
        CallText call;
        if (!ParseCallText(script, call))
            return kEmptyReply;
        if (IsInitRequest(call.commandText)) {
            WriteDebugLine("nxa.init");
            return AnswerInit(instanceFormId);
        }
        if (!call.isAsync)
            return ExecuteUtf8Command(call.commandText, 0, call.formId, call.callerId);
        PostAsyncCommand(call.formId, call.callerId, wxString(Utf8ToWide(call.commandText)));
    } catch (...) {
    }
    return kEmptyReply;
}

std::string CommandCentre::AnswerInit(int32_t formId) const
{
    MovieForm* form = FindForm(formId);
    if (!form)
        return kEmptyReply;
    json_object* identity = nullptr;
    if (form->PlaysDirectly()) {
        identity = MakeUtf8(std::to_string(formId));
    } else {
        identity = json_object_new_object();
        json_object_object_add(identity, "formId", MakeInt(formId));
        json_object_object_add(identity, "swfName", MakeText(form->GetSwfName()));
    }
    const std::string text = ToJsonText(identity);
    json_object_put(identity);
    return ReplyOf(text);
}

wxString CommandCentre::ExecuteCommand(const wxString& commandText, int32_t isAsync, int32_t formId,
                                       int32_t callerId)
{
    try {
        return WideReply(
            ExecuteUtf8Command(WideToUtf8(commandText.wc_str(), commandText.length()), isAsync, formId, callerId));
    } catch (...) {
        return kEmptyReply; // memory ran out while the call was read: nothing ran
    }
}

std::string CommandCentre::ExecuteUtf8Command(const std::string& commandText, int32_t isAsync, int32_t formId,
                                              int32_t callerId)
{
    const CommandArray command(commandText);
    if (!command.IsCall())
        return std::string();

    const wxString name(Utf8ToWide(command.CommandName()));
    // The name only: arguments may carry passwords, and any local process can
    // read the debugger output.
    WriteDebugLine(name);
    const auto found = m_commands.find(name);
    if (found == m_commands.end()) {
        ReportUnknownCommand(name);
        return kEmptyReply;
    }
    const CommandRow row = found->second;
    const auto ruleFound = m_rules.find(name);
    const RowRule* rule = ruleFound == m_rules.end() ? nullptr : &ruleFound->second;

    std::vector<json_object*> arguments = command.Arguments();
    if (rule && !rule->Accepts(static_cast<int32_t>(arguments.size())))
        return ReplyOf(FallbackJson(rule));

    CallInfo info = {formId, callerId, isAsync, {0, 0, 0, 0, 0}};
    if (rule && rule->RunsOnMainThread() && !wxThread::IsMain()) {
        std::string reply;
        if (!RunOnMainThread([&] { reply = InvokeRow(name, row, rule, info, arguments); }))
            reply = ReplyOf(FallbackJson(rule)); // shut-down has begun
        return reply;
    }
    return InvokeRow(name, row, rule, info, arguments);
}

std::string CommandCentre::InvokeRow(const wxString& name, const CommandRow& row, const RowRule* rule,
                                     CallInfo& info, std::vector<json_object*>& arguments)
{
    ObserveRow(name);
    const CurrentRowScope current(rule);
    wxLogNull quiet; // toolkit errors inside handlers stay silent on this thread
    const auto argc = static_cast<int32_t>(arguments.size());
    try {
        const char* text =
            row.invoker ? row.invoker(row.handler, &info, argc, argc ? arguments.data() : nullptr) : nullptr;
        return ReplyOf(text ? text : "");
    } catch (...) {
        // A handler that throws (memory ran out on a huge argument) answers
        // its fallback; nothing unwinds into the plug-in or ends the process.
        return ReplyOf(FallbackJson(rule));
    }
}

void CommandCentre::ObserveRow(const wxString& name)
{
    std::function<void(const wxString&)> observer;
    {
        std::lock_guard<std::mutex> hold(m_seamLock);
        observer = m_rowObserver;
    }
    if (observer)
        observer(name);
}

void CommandCentre::PostAsyncCommand(int32_t formId, int32_t callerId, const wxString& commandText)
{
    wxThreadEvent event(AsyncCommandEvent, formId);
    event.SetInt(callerId);
    event.SetString(commandText);
    QueueEvent(event.Clone());
}

void CommandCentre::OnAsyncCommand(wxThreadEvent& event)
{
    const int32_t formId = event.GetId();
    const int32_t callerId = event.GetInt();
    const wxString commandText = event.GetString();
    if (MustRunOnMainThread(commandText.ToStdWstring())) {
        ExecuteCommand(commandText, 1, formId, callerId);
        return;
    }
    m_queue.PushQueuedCall(QueuedCall{formId, callerId, commandText.ToStdWstring()});
}

void CommandCentre::PostEvent(AsyncEventData event)
{
    m_events.Post(std::move(event));
}

bool CommandCentre::WakeForEvents()
{
    // Without an application object the toolkit drops queued events.
    if (!wxTheApp)
        return false;
    QueueEvent(new wxThreadEvent(ModuleEvent));
    return true;
}

void CommandCentre::OnAsyncEvent(wxThreadEvent&)
{
    if (m_events.DeliverBatch(EventDelivery()))
        ResumeEventsWhenIdle();
}

void CommandCentre::ResumeEventsWhenIdle()
{
    if (m_resumingEvents)
        return;
    // The application's idle event comes once the window messages waiting
    // have been handled, and keeps coming while more is requested.
    wxTheApp->Bind(wxEVT_IDLE, &CommandCentre::OnIdleResumeEvents, this);
    m_resumingEvents = true;
}

void CommandCentre::StopResumingEvents()
{
    if (!m_resumingEvents)
        return;
    if (wxTheApp)
        wxTheApp->Unbind(wxEVT_IDLE, &CommandCentre::OnIdleResumeEvents, this);
    m_resumingEvents = false;
}

void CommandCentre::OnIdleResumeEvents(wxIdleEvent& event)
{
    // The application's own idle work goes on.
    event.Skip();
    if (m_events.Resume(EventDelivery()))
        event.RequestMore();
    else
        StopResumingEvents();
}

AsyncEventQueue::Deliver CommandCentre::EventDelivery()
{
    return [this](const AsyncEventData& event) { DeliverEvent(event); };
}

void CommandCentre::DeliverEvent(const AsyncEventData& event)
{
    MovieForm* form = FindForm(event.formId);
    if (form)
        form->CallFunction(BuildEventRequest(event));
}

void CommandCentre::ReportUnknownCommand(const wxString& name)
{
    const wxString message = wxString::Format("Error: Couldn't resolve command '%s()'!\n", name);
    std::function<void(const wxString&)> reporter;
    {
        std::lock_guard<std::mutex> hold(m_seamLock);
        reporter = m_unknownCommandReporter;
    }
    if (reporter)
        reporter(message);
    else if (wxThread::IsMain())
        wxMessageBox(message, "Message", wxOK | wxCENTRE);
    else // the toolkit's dialogs belong to the main thread; the system's box does not
        ::MessageBoxW(nullptr, message.wc_str(), L"Message", MB_OK | MB_SETFOREGROUND);
}

void CommandCentre::SetUnknownCommandReporter(std::function<void(const wxString& message)> reporter)
{
    std::lock_guard<std::mutex> hold(m_seamLock);
    m_unknownCommandReporter = std::move(reporter);
}

void CommandCentre::SetRowObserver(std::function<void(const wxString& name)> observer)
{
    std::lock_guard<std::mutex> hold(m_seamLock);
    m_rowObserver = std::move(observer);
}

bool CommandCentre::AddForm(int32_t formId, MovieForm* form)
{
    std::lock_guard<std::mutex> hold(m_formLock);
    return m_forms.emplace(formId, form).second;
}

void CommandCentre::RemoveForm(int32_t formId)
{
    std::lock_guard<std::mutex> hold(m_formLock);
    m_forms.erase(formId);
}

MovieForm* CommandCentre::FindForm(int32_t formId) const
{
    std::lock_guard<std::mutex> hold(m_formLock);
    const auto found = m_forms.find(formId);
    return found == m_forms.end() ? nullptr : found->second;
}

MovieForm* CommandCentre::FindFormByName(const wxString& name) const
{
    std::lock_guard<std::mutex> hold(m_formLock);
    for (const auto& entry : m_forms) {
        if (entry.second->GetName() == name)
            return entry.second;
    }
    return nullptr;
}

std::vector<wxString> CommandCentre::GetFormNames() const
{
    std::vector<wxString> names;
    std::lock_guard<std::mutex> hold(m_formLock);
    for (const auto& entry : m_forms)
        names.push_back(entry.second->GetName());
    return names;
}

bool CommandCentre::HasCommand(const wxString& name) const
{
    return m_commands.count(name) != 0;
}

size_t CommandCentre::CommandCount() const
{
    return m_commands.size();
}

std::vector<wxString> CommandCentre::CommandNames() const
{
    std::vector<wxString> names;
    names.reserve(m_commands.size());
    for (const auto& entry : m_commands)
        names.push_back(entry.first);
    return names;
}

bool CommandCentre::FindRule(const wxString& name, RowRule& rule) const
{
    const auto found = m_rules.find(name);
    if (found == m_rules.end())
        return false;
    rule = found->second;
    return true;
}
