#pragma once

#include "npdefs.h"

#include <deque>
#include <string>
#include <vector>

// The browser side of a test: a function table of its own whose few working
// functions answer the player the way the runtime's host does, and record
// what the player asked. One object per test; the NPN functions reach it
// through a static pointer.
class FakeBrowser {
public:
    FakeBrowser();
    ~FakeBrowser();

    NPNetscapeFuncs& Table() { return m_table; }

    // Every script text the player evaluated, in order.
    const std::vector<std::string>& Evaluations() const { return m_evaluations; }
    // URLs of NPN_GetURLNotify calls.
    const std::vector<std::string>& RequestedUrls() const { return m_requestedUrls; }

    // Invoke requests for events the asynchronous calls asked for, in order:
    // each asynchronous call is answered later with "onDone" and the payload
    // {"echo": the call's JSON array}, addressed to its caller id.
    std::deque<std::string>& PendingEvents() { return m_pendingEvents; }

    static NPIdentifier Identifier(const char* name);

private:
    std::string Answer(const std::string& script);

    static bool Evaluate(NPP, NPObject*, NPString* script, NPVariant* result);
    static NPError GetURLNotify(NPP, const char* url, const char* target, void* notifyData);

    NPNetscapeFuncs m_table;
    std::vector<std::string> m_evaluations;
    std::vector<std::string> m_requestedUrls;
    std::deque<std::string> m_pendingEvents;
};
