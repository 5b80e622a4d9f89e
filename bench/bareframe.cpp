// bench_bareframe OUT
// The reference for start-up: a bare toolkit frame of the form's size that,
// on its first paint, appends "first paint ns=<steady clock> peak_ws=<bytes>"
// to OUT and exits.

#include "samplefile.h"

#include <wx/app.h>
#include <wx/dcclient.h>
#include <wx/frame.h>

#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <string>

namespace {

class BareFrame : public wxFrame {
public:
    explicit BareFrame(const std::string& out)
        : wxFrame(nullptr, wxID_ANY, "bare frame", wxDefaultPosition, wxSize(320, 240)), m_out(out)
    {
        Bind(wxEVT_PAINT, &BareFrame::OnPaint, this);
    }

private:
    void OnPaint(wxPaintEvent&)
    {
        wxPaintDC dc(this);
        if (m_painted)
            return;
        m_painted = true;
        const int64_t now = SteadyNowNs();
        PROCESS_MEMORY_COUNTERS memory = {};
        memory.cb = sizeof memory;
        const size_t peak =
            GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory) ? memory.PeakWorkingSetSize : 0;
        if (std::FILE* file = std::fopen(m_out.c_str(), "a")) {
            std::fprintf(file, "first paint ns=%lld peak_ws=%llu\n", (long long)now, (unsigned long long)peak);
            std::fclose(file);
        }
        CallAfter([this] { Close(true); });
    }

    std::string m_out;
    bool m_painted = false;
};

class BareApp : public wxApp {
public:
    bool OnInit() override
    {
        if (argc != 2)
            return false;
        (new BareFrame(argv[1].ToStdString()))->Show();
        return true;
    }
};

} // namespace

wxIMPLEMENT_APP(BareApp);
