// The runtime with its start-up dialogs answered from the environment instead
// of shown: KOVA_TEST_PASSWORD is the typed password, and every dialog writes
// one line into the file KOVA_TEST_PROMPT_LOG.
#include "appstate.h"
#include "kovaapp.h"
#include "startupprompts.h"

#include <wx/ffile.h>
#include <wx/utils.h>

#include <memory>

namespace {

class ScriptedPrompts : public StartUpPrompts {
public:
    wxString AskPassword(const wxString& appName) override
    {
        Log(wxS("password asked: ") + appName);
        wxString answer;
        wxGetEnv(wxS("KOVA_TEST_PASSWORD"), &answer);
        return answer;
    }
    void ReportWrongPassword(const wxString& appName) override
    {
        Log(wxS("Password is incorrect!: ") + appName);
    }
    void ReportTrayIconFailure() override { Log(wxS("Couldn't set the taskbar icon!")); }

private:
    static void Log(const wxString& line)
    {
        wxString path;
        if (!wxGetEnv(wxS("KOVA_TEST_PROMPT_LOG"), &path))
            return;
        wxFFile file(path, wxS("a"));
        file.Write(line + wxS("\n"));
    }
};

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int show)
{
    GetAppState().SetPrompts(std::make_unique<ScriptedPrompts>());
    return RunKovaApp(instance, commandLine, show);
}
