#pragma once

#include "scopedcommandcentre.h"

#include <wx/string.h>

#include <string>

// A command centre with the System module and one Sys made for the test.
class SystemRowsTest {
public:
    SystemRowsTest();

    // Calls "nxa.System.<row>" synchronously with the test's id first, then
    // the further arguments (JSON text), and answers the reply's JSON text.
    std::string Ask(const std::string& row, const std::string& moreArgs = std::string()) const;
    // The same call by the asynchronous road.
    void Send(const std::string& row, const std::string& moreArgs = std::string()) const;

    const std::string& Id() const { return m_id; }

private:
    std::string Arguments(const std::string& moreArgs) const;

    ScopedCommandCentre m_centre;
    std::string m_id;
};

// The reply the rows give for the text: a JSON string.
std::string JsonTextOf(const wxString& text);
