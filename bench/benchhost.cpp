// bench_host MODE SAMPLES [ARGUMENTS...]
// The host-side benchmarks, run under Wine with the stand-in player embedded
// as the plug-in. Each writes its measurements to the file SAMPLES.
//
//   calls N REPS       synchronous calls of one cheap row with a 100-byte and
//                      a 64 KiB argument: through the plug-in (NPN_Evaluate),
//                      directly through the command centre, and the floor of
//                      Base64 and json-c work on the same text
//   events N REPS      N events posted from a worker thread into the movie
//                      (back to back, then paced for the delay), against the
//                      same through the toolkit's thread events alone
//   url URL REPS       the URL streamed into the movie through the host

#include "callfloor.h"
#include "commandcentre.h"
#include "curlglobal.h"
#include "eventposter.h"
#include "flashhost.h"
#include "messagepumping.h"
#include "moduledescriptor.h"
#include "playerform.h"
#include "samplefile.h"
#include "standinmovie.h"
#include "toolkitprobe.h"

#include <json-c/json.h>

#include <wx/app.h>
#include <wx/log.h>

#include <windows.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

const int32_t kFormId = 0;
const size_t kSmallArgument = 100;
const size_t kLargeArgument = 64 * 1024;
// The paced run posts one event per interval: well below the rate goal, so
// the delay is the road's and not a queue's.
const int64_t kPacedIntervalNs = 200000;
const int kScriptTimeoutMs = 600000;

json_object* __cdecl Echo(CallInfo*, int32_t argc, json_object** argv)
{
    json_object* array = json_object_new_array();
    for (int32_t index = 0; index < argc; ++index)
        json_object_array_add(array, json_object_get(argv[index]));
    return array;
}

// The events run's side of the movie script: the movie asks for each run's
// events with a call just before it counts them, and says when its script has
// ended with a last call. The main thread then does nothing of the bench's own
// (no reading of the transcript) while events are timed.
struct EventsRun {
    EventPoster* poster = nullptr;
    bool finished = false;
};

EventsRun g_eventsRun;

// {"seq":<seq>,"t":<posted ns>}, formatted without the toolkit: its
// formatting takes longer than a post, and would pace a burst below the rate
// that events can be delivered at.
wxString EventPayload(int seq, int64_t postedNs)
{
    static const char kSeq[] = "{\"seq\":";
    static const char kTime[] = ",\"t\":";
    char text[64];
    char* const limit = text + sizeof text;
    char* end = std::copy(kSeq, kSeq + sizeof kSeq - 1, text);
    end = std::to_chars(end, limit, seq).ptr;
    end = std::copy(kTime, kTime + sizeof kTime - 1, end);
    end = std::to_chars(end, limit, postedNs).ptr;
    *end++ = '}';
    return wxString::FromAscii(text, size_t(end - text));
}

void PostMovieEvent(const wxString& name, int seq)
{
    PostAsyncEvent(EventPayload(seq, SteadyNowNs()), name, &CommandCentre::Get(), kFormId, 0);
}

// nxa.Bench.post(name, count, intervalNs): starts posting a run's events.
json_object* __cdecl StartEventRun(CallInfo*, int32_t argc, json_object** argv)
{
    if (argc != 3 || !g_eventsRun.poster)
        return json_object_new_boolean(false);
    const wxString name = wxString::FromUTF8(json_object_get_string(argv[0]));
    g_eventsRun.poster->Start(json_object_get_int(argv[1]), json_object_get_int64(argv[2]),
                              [name](int seq) { PostMovieEvent(name, seq); });
    return json_object_new_boolean(true);
}

// nxa.Bench.finished(): the movie's script has ended.
json_object* __cdecl FinishEventRuns(CallInfo*, int32_t, json_object**)
{
    g_eventsRun.finished = true;
    return json_object_new_boolean(true);
}

ModuleDescriptor& BenchModule();

bool InitialiseBenchModule()
{
    AppendCommandRow(BenchModule(), "nxa.Bench.echo", Echo);
    AppendCommandRow(BenchModule(), "nxa.Bench.post", StartEventRun);
    AppendCommandRow(BenchModule(), "nxa.Bench.finished", FinishEventRuns);
    return true;
}

void ShutdownBenchModule()
{
    ReleaseCommandRows(BenchModule());
}

ModuleDescriptor& BenchModule()
{
    static ModuleDescriptor module = MakeModuleDescriptor(InitialiseBenchModule, ShutdownBenchModule);
    return module;
}

class BenchApp : public wxApp {
public:
    bool OnInit() override { return true; }
};

std::string ReadText(const std::wstring& path)
{
    std::ifstream file(path.c_str(), std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::vector<std::string> LinesWith(const std::string& text, const std::string& part)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        if (line.find(part) != std::string::npos)
            lines.push_back(line);
    return lines;
}

// The number after "<name>=" in a record, or -1.
double Field(const std::string& line, const std::string& name)
{
    const size_t at = line.find(" " + name + "=");
    return at == std::string::npos ? -1 : std::strtod(line.c_str() + at + name.size() + 2, nullptr);
}

// The stand-in player on one form, playing a movie made of the script, with
// its transcript in the working folder.
class PlayerRun {
public:
    PlayerRun() : m_transcript(FullPath(L"bench-transcript.txt"))
    {
        DeleteFileW(m_transcript.c_str());
        SetEnvironmentVariableW(L"KOVA_PLAYER_TRANSCRIPT", m_transcript.c_str());
    }

    bool Start(const std::string& script)
    {
        standin::StandinMovie movie;
        movie.script = script;
        m_form.reset(new PlayerForm(kFormId));
        return m_form->Play(standin::BuildStandinMovie(movie));
    }

    std::string Transcript() const { return ReadText(m_transcript); }
    bool Ended() const { return Transcript().find("script end") != std::string::npos; }

    void Stop() { m_form.reset(); }

private:
    static std::wstring FullPath(const wchar_t* name)
    {
        wchar_t path[MAX_PATH];
        return std::wstring(path, GetFullPathNameW(name, MAX_PATH, path, nullptr));
    }

    std::wstring m_transcript;
    std::unique_ptr<PlayerForm> m_form;
};

bool ReportFailures(const std::string& transcript)
{
    const std::vector<std::string> failures = LinesWith(transcript, "check fail");
    for (const std::string& line : failures)
        std::fprintf(stderr, "%s\n", line.c_str());
    if (transcript.find("script end") == std::string::npos)
        std::fprintf(stderr, "the movie script did not end\n");
    return failures.empty() && transcript.find("script end") != std::string::npos;
}

// Plays the script to its end and reads the transcript; false, with the
// failures on stderr, when it did not start or end in time or a check failed.
bool PlayToEnd(PlayerRun& run, const std::string& script, std::string& transcript)
{
    const bool ended = run.Start(script) && RunEventLoopUntil([&] { return run.Ended(); }, kScriptTimeoutMs);
    transcript = run.Transcript();
    return ReportFailures(transcript) && ended;
}

std::string CallText(size_t argumentBytes)
{
    return "[\"nxa.Bench.echo\",\"" + std::string(argumentBytes, 'a') + "\"]";
}

double DirectCallNs(const wxString& commandText, int calls)
{
    const int64_t start = SteadyNowNs();
    for (int call = 0; call < calls; ++call)
        CommandCentre::Get().ExecuteCommand(commandText, 0, kFormId, 0);
    return double(SteadyNowNs() - start) / calls;
}

int RunCalls(SampleFile& samples, int calls, int reps)
{
    const int largeCalls = std::max(1, calls / 10);
    const struct {
        const char* key;
        size_t bytes;
        int calls;
    } sizes[] = {{"call100", kSmallArgument, calls}, {"call64k", kLargeArgument, largeCalls}};

    std::string script = "init\n";
    for (int rep = 0; rep < reps; ++rep)
        for (const auto& size : sizes)
            script += "bench " + std::to_string(size.calls) + " nxa.Bench.echo [\"" + std::string(size.bytes, 'a') +
                      "\"]\n";
    script += "quit\n";
    PlayerRun run;
    std::string transcript;
    if (!PlayToEnd(run, script, transcript))
        return 1;
    const std::vector<std::string> timings = LinesWith(transcript, " bench nxa.Bench.echo calls=");
    for (int rep = 0; rep < reps; ++rep) {
        for (size_t index = 0; index < 2; ++index) {
            const auto& size = sizes[index];
            const std::string& line = timings.at(size_t(rep) * 2 + index);
            const double roadNs = Field(line, "ns") / Field(line, "calls");
            const std::string callText = CallText(size.bytes);
            const double directNs = DirectCallNs(wxString::FromUTF8(callText.c_str()), size.calls);
            const double floorNs = CallFloorNs(callText, size.calls);
            samples.Add(std::string(size.key) + "_road_us", roadNs / 1000);
            samples.Add(std::string(size.key) + "_direct_us", directNs / 1000);
            samples.Add(std::string(size.key) + "_overhead_us", (roadNs - directNs) / 1000);
            samples.Add(std::string(size.key) + "_floor_us", floorNs / 1000);
        }
    }
    run.Stop();
    return 0;
}

double PercentileUs(std::vector<int64_t> values, size_t percent)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t index = std::max<size_t>((values.size() * percent + 99) / 100, 1);
    return double(values[std::min(index, values.size()) - 1]) / 1000;
}

// Runs one batch of probe events on the poster while the loop runs.
bool ProbeBatch(EventPoster& poster, ToolkitProbe& probe, int count, int64_t intervalNs)
{
    probe.Reset(size_t(count));
    poster.Start(count, intervalNs, [&probe](int seq) { probe.Post(seq); });
    return RunEventLoopUntil([&] { return probe.Complete(); }, kScriptTimeoutMs);
}

std::string EventRunSteps(const std::string& name, int count, int64_t intervalNs)
{
    return "call nxa.Bench.post [\"" + name + "\"," + std::to_string(count) + "," + std::to_string(intervalNs) +
           "]\nbenchevents " + std::to_string(count) + " " + name + "\n";
}

int RunEvents(SampleFile& samples, int count, int reps)
{
    const int pacedCount = std::max(100, count / 10);
    std::string script = "init\n";
    for (int rep = 0; rep < reps; ++rep) {
        script += EventRunSteps("burst" + std::to_string(rep), count, 0);
        script += EventRunSteps("paced" + std::to_string(rep), pacedCount, kPacedIntervalNs);
    }
    script += "quit nxa.Bench.finished\n";

    // The probe outlives the poster, which may still be posting into it when
    // a run does not complete in time.
    ToolkitProbe probe;
    EventPoster poster;
    g_eventsRun = EventsRun{&poster, false};
    PlayerRun run;
    const bool ended = run.Start(script) && RunEventLoopUntil([] { return g_eventsRun.finished; }, kScriptTimeoutMs);
    g_eventsRun.poster = nullptr;
    const std::string transcript = run.Transcript();
    if (!ended || !ReportFailures(transcript))
        return 1;
    run.Stop();
    int inOrder = 0;
    for (const std::string& line : LinesWith(transcript, " burst")) {
        if (line.find("events=") == std::string::npos)
            continue;
        samples.Add("events_rate", Field(line, "events") / (Field(line, "span_ns") / 1e9));
        inOrder += line.find("order=ok") != std::string::npos;
    }
    for (const std::string& line : LinesWith(transcript, " paced")) {
        if (line.find("events=") == std::string::npos)
            continue;
        samples.Add("events_p50_us", Field(line, "p50_ns") / 1000);
        samples.Add("events_p99_us", Field(line, "p99_ns") / 1000);
        inOrder += line.find("order=ok") != std::string::npos;
    }
    samples.Add("events_in_order", double(inOrder) / (2.0 * reps));

    int probeInOrder = 0;
    for (int rep = 0; rep < reps; ++rep) {
        if (!ProbeBatch(poster, probe, count, 0))
            return 1;
        samples.Add("events_ref_rate", double(count) / (double(probe.SpanNs()) / 1e9));
        probeInOrder += probe.InOrder();
        if (!ProbeBatch(poster, probe, pacedCount, kPacedIntervalNs))
            return 1;
        samples.Add("events_ref_p50_us", PercentileUs(probe.Delays(), 50));
        samples.Add("events_ref_p99_us", PercentileUs(probe.Delays(), 99));
        probeInOrder += probe.InOrder();
    }
    samples.Add("events_ref_in_order", double(probeInOrder) / (2.0 * reps));
    return 0;
}

int RunUrl(SampleFile& samples, const std::string& url, int reps)
{
    std::string script;
    for (int rep = 0; rep < reps; ++rep)
        script += "benchurl " + url + (url.find('?') == std::string::npos ? "?" : "&") + "run=" + std::to_string(rep) +
                  "\n";
    script += "quit\n";
    PlayerRun run;
    std::string transcript;
    if (!PlayToEnd(run, script, transcript))
        return 1;
    run.Stop();
    for (const std::string& line : LinesWith(transcript, " benchurl bytes="))
        samples.Add("url_mbps", Field(line, "bytes") / 1e6 / (Field(line, "ns") / 1e9));
    return 0;
}

int RunMode(int argc, char** argv)
{
    const std::string mode = argv[1];
    SampleFile samples(argv[2]);
    if (!samples.IsOpen()) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 2;
    }
    if (!FlashHost::Get().Load()) {
        std::fprintf(stderr, "the plug-in did not load\n");
        return 1;
    }
    if (!CommandCentre::Get().Initialise({&BenchModule()}, {})) {
        std::fprintf(stderr, "the command centre did not start\n");
        return 1;
    }
    int result = 2;
    if (mode == "calls" && argc == 5)
        result = RunCalls(samples, std::atoi(argv[3]), std::atoi(argv[4]));
    else if (mode == "events" && argc == 5)
        result = RunEvents(samples, std::atoi(argv[3]), std::atoi(argv[4]));
    else if (mode == "url" && argc == 5) {
        CurlGlobal::Initialise();
        result = RunUrl(samples, argv[3], std::atoi(argv[4]));
    }
    CommandCentre::Get().Shutdown();
    if (result == 2)
        std::fprintf(stderr, "usage: bench_host calls|events SAMPLES N REPS, or url SAMPLES URL REPS\n");
    return result;
}

} // namespace

wxIMPLEMENT_APP_NO_MAIN(BenchApp);

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_host MODE SAMPLES [ARGUMENTS...]\n");
        return 2;
    }
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) {
        std::fprintf(stderr, "the toolkit did not start\n");
        return 2;
    }
    delete wxLog::SetActiveTarget(new wxLogStderr());
    const int result = RunMode(argc, argv);
    wxTheApp->OnExit();
    wxEntryCleanup();
    return result;
}
