// Test main for programs that need the toolkit: a GUI application object, so
// windows, timers and events work, and a text log target, so no log message
// ever opens a dialog. Failed assertions of the toolkit become test failures.
#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/log.h>

#include <iostream>

namespace {

class TestApp : public wxApp {
public:
    bool OnInit() override { return true; }
};

void ReportToolkitAssert(const wxString& file, int line, const wxString& func,
                         const wxString& cond, const wxString& msg)
{
    ADD_FAILURE_AT(file.utf8_str(), line) << "toolkit assertion in " << func.utf8_str() << ": "
                                          << cond.utf8_str() << " " << msg.utf8_str();
}

} // namespace

wxIMPLEMENT_APP_NO_MAIN(TestApp);

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    wxSetAssertHandler(ReportToolkitAssert);
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) {
        std::cerr << "the toolkit did not start\n";
        return 2;
    }
    delete wxLog::SetActiveTarget(new wxLogStream(&std::cerr));
    wxLog::SetTimestamp(wxString());
    const int result = RUN_ALL_TESTS();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return result;
}
