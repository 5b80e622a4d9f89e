#pragma once

#include "asyncevent.h"
#include "callqueue.h"
#include "extensionimage.h"
#include "moduledescriptor.h"

#include <wx/event.h>
#include <wx/msw/wrapwin.h>
#include <wx/string.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

// <windows.h> (included above, so it cannot come again later) renames AddForm
// to AddFormW, a printer function; the command centre keeps its own name.
#ifdef AddForm
#undef AddForm
#endif

class AsyncThread;
struct json_object;
class MovieForm;

// Carries every scripted call from a movie to its command handler and every
// event back: parses the call text, answers "nxa.init", dispatches synchronous
// calls on the main thread and asynchronous ones to the worker, and delivers
// posted events into the movie of their form. One instance for the process.
class CommandCentre : public wxEvtHandler {
public:
    static CommandCentre& Get();

    // Lets every module fill its table and enters the rows, then the rows of
    // the extension libraries, then starts the worker. Stops at the first
    // module that fails and returns false.
    bool Initialise(const std::vector<ModuleDescriptor*>& modules,
                    std::vector<std::unique_ptr<ExtensionImage>> extensions);
    // Stops the worker, shuts every module and extension down and empties the
    // maps. Safe after a start that stopped half-way, and when nothing started.
    // The worker gets 250 ms to end its call (long waits end early, see
    // IsShuttingDown), up to 5 s more while it writes a file, and is then cut off.
    void Shutdown();

    // The reply text for one evaluation of the plug-in instance that plays in
    // the form with the given id. Main thread.
    wxString OnCommand(int32_t instanceFormId, const wxString& scriptText);
    // The same for the script text as the plug-in hands it over (UTF-8); the
    // reply is ASCII. The plug-in's road: no conversion to wide text and back.
    std::string OnEvaluation(int32_t instanceFormId, std::string_view script);
    // Runs one decoded command text (a JSON array) and returns the reply text.
    wxString ExecuteCommand(const wxString& commandText, int32_t isAsync, int32_t formId, int32_t callerId);
    // Sends an asynchronous call to the main thread's event loop, from where it
    // runs at once or goes to the worker.
    void PostAsyncCommand(int32_t formId, int32_t callerId, const wxString& commandText);
    // Queues an event for the movie of its form (PostAsyncEvent's road). Any
    // thread; delivered on the main thread, in the order posted.
    void PostEvent(AsyncEventData event);

    bool AddForm(int32_t formId, MovieForm* form);
    void RemoveForm(int32_t formId);
    // The form with the id, or null. Forms are used on the main thread only.
    MovieForm* FindForm(int32_t formId) const;
    MovieForm* FindFormByName(const wxString& name) const;
    std::vector<wxString> GetFormNames() const;

    bool HasCommand(const wxString& name) const;
    size_t CommandCount() const;
    // Every command name in the map, in name order.
    std::vector<wxString> CommandNames() const;
    // The rule of a built-in row; false for extension rows and unknown names.
    bool FindRule(const wxString& name, RowRule& rule) const;
    CallQueue& Queue() { return m_queue; }

    // Test seam: replaces the message box that reports an unknown command
    // name. An empty function restores the box.
    void SetUnknownCommandReporter(std::function<void(const wxString& message)> reporter);
    // Test seam: called on the thread that runs a row's handler, just before
    // it runs. An empty function removes it.
    void SetRowObserver(std::function<void(const wxString& name)> observer);

private:
    CommandCentre();

    void OnAsyncCommand(wxThreadEvent& event);
    void OnAsyncEvent(wxThreadEvent& event);
    bool WakeForEvents();
    // Events left by a spent slice go on from the application's idle time.
    void ResumeEventsWhenIdle();
    void StopResumingEvents();
    void OnIdleResumeEvents(wxIdleEvent& event);
    AsyncEventQueue::Deliver EventDelivery();
    void DeliverEvent(const AsyncEventData& event);
    std::string AnswerInit(int32_t formId) const;
    // Runs a command text in UTF-8 (as WellFormedUtf8 leaves it); may throw
    // when memory runs out.
    std::string ExecuteUtf8Command(const std::string& commandText, int32_t isAsync, int32_t formId,
                                   int32_t callerId);
    // Runs the row's handler and returns the reply text.
    std::string InvokeRow(const wxString& name, const CommandRow& row, const RowRule* rule, CallInfo& info,
                          std::vector<json_object*>& arguments);
    void EnterModuleRows(const ModuleDescriptor& module);
    void ObserveRow(const wxString& name);
    void ReportUnknownCommand(const wxString& name);
    void StartWorker();
    void StopWorker();

    CommandMap m_commands;
    std::map<wxString, RowRule> m_rules; // built-in rows only
    mutable std::mutex m_formLock;
    std::map<int32_t, MovieForm*> m_forms;
    std::vector<ModuleDescriptor*> m_modules;
    std::vector<std::unique_ptr<ExtensionImage>> m_extensions;
    AsyncThread* m_worker = nullptr;
    CallQueue m_queue;
    AsyncEventQueue m_events;
    bool m_resumingEvents = false; // the idle handler is bound; main thread
    std::mutex m_seamLock;
    std::function<void(const wxString&)> m_unknownCommandReporter;
    std::function<void(const wxString&)> m_rowObserver;
};
