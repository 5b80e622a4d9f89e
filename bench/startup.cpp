// bench_startup SAMPLES RUNTIME BAREFRAME MEGABYTES REPS
// Start-up: process start to the first painted form of a project whose
// package holds a movie and an embedded file of MEGABYTES each (the stand-in
// player records its first paint), against a bare toolkit frame that exits on
// its first paint; and the peak working set of both by then.

#include "packagewriter.h"
#include "samplefile.h"
#include "standinmovie.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

namespace {

const wchar_t kProjectPath[] = L"bench-project.exe";
const char kTranscriptPath[] = "bench-startup-transcript.txt";
const char kBarePaintPath[] = "bench-bare-paint.txt";
const int kStartTimeoutMs = 120000;

std::string ReadText(const std::string& path)
{
    std::ifstream file(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::wstring Wide(const std::string& text)
{
    return std::wstring(text.begin(), text.end());
}

std::wstring FullPath(const std::wstring& name)
{
    wchar_t path[MAX_PATH];
    return std::wstring(path, GetFullPathNameW(name.c_str(), MAX_PATH, path, nullptr));
}

// Printable bytes without line breaks: a movie script comment that does not
// compress away.
std::string RandomText(size_t length, uint32_t seed)
{
    std::string text(length, ' ');
    for (char& c : text) {
        seed = seed * 1664525u + 1013904223u;
        c = char(' ' + (seed >> 24) % 94);
    }
    return text;
}

bool WriteProject(const std::string& runtimePath, size_t bytes)
{
    standin::StandinMovie movie;
    movie.script = "#" + RandomText(bytes, 1) + "\ninit\n";
    const std::string movieBytes = standin::BuildStandinMovie(movie);
    const std::string fileText = RandomText(bytes, 2);

    FormContent form;
    form.settings.name = L"bench";
    form.settings.title = L"bench";
    form.settings.width = 320;
    form.settings.height = 240;
    form.settings.visible = true;
    form.movie.assign(movieBytes.begin(), movieBytes.end());
    PackageContent content;
    content.forms.push_back(form);
    FileContent file;
    file.bytes.assign(fileText.begin(), fileText.end());
    content.embeddedFiles.push_back(file);

    PackageWriter writer;
    writer.WritePackage(content);
    const std::string runtime = ReadText(runtimePath);
    if (runtime.empty())
        return false;
    const ByteVector image = BuildExecutableImage(ByteVector(runtime.begin(), runtime.end()), writer.Bytes());
    std::ofstream out(kProjectPath, std::ios::binary);
    out.write(reinterpret_cast<const char*>(image.data()), std::streamsize(image.size()));
    return bool(out);
}

struct Paint {
    double milliseconds = -1;
    double peakMegabytes = 0;
};

// Starts the program and waits until the file holds its first-paint record.
// A program that is still running then is ended.
Paint RunToFirstPaint(const std::wstring& commandLine, const std::string& paintFile)
{
    std::remove(paintFile.c_str());
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::wstring line = commandLine;
    Paint paint;
    const int64_t start = SteadyNowNs();
    if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return paint;
    std::string record;
    while (SteadyNowNs() - start < int64_t(kStartTimeoutMs) * 1000000) {
        const std::string text = ReadText(paintFile);
        const size_t at = text.find("first paint ns=");
        if (at != std::string::npos && text.find('\n', at) != std::string::npos) {
            record = text.substr(at, text.find('\n', at) - at);
            break;
        }
        Sleep(1);
    }
    if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT)
        TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (record.empty())
        return paint;
    const size_t peakAt = record.find("peak_ws=");
    paint.milliseconds = double(std::strtoll(record.c_str() + 15, nullptr, 10) - start) / 1e6;
    paint.peakMegabytes = peakAt == std::string::npos ? 0 : std::strtod(record.c_str() + peakAt + 8, nullptr) / 1e6;
    return paint;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 6) {
        std::fprintf(stderr, "usage: bench_startup SAMPLES RUNTIME BAREFRAME MEGABYTES REPS\n");
        return 2;
    }
    SampleFile samples(argv[1]);
    const size_t bytes = size_t(std::atof(argv[4]) * 1024 * 1024);
    const int reps = std::atoi(argv[5]);
    if (!samples.IsOpen() || bytes == 0 || reps <= 0 || !WriteProject(argv[2], bytes)) {
        std::fprintf(stderr, "bench_startup: cannot write the project\n");
        return 2;
    }
    SetEnvironmentVariableW(L"KOVA_PLAYER_TRANSCRIPT", FullPath(Wide(kTranscriptPath)).c_str());
    const std::wstring project = L"\"" + FullPath(kProjectPath) + L"\"";
    const std::wstring bare = L"\"" + Wide(argv[3]) + L"\" " + Wide(kBarePaintPath);
    samples.Add("startup_package_mb", 2.0 * double(bytes) / 1e6);
    int result = 0;
    for (int rep = 0; rep < reps && result == 0; ++rep) {
        const Paint ours = RunToFirstPaint(project, kTranscriptPath);
        const Paint reference = RunToFirstPaint(bare, kBarePaintPath);
        if (ours.milliseconds < 0 || reference.milliseconds < 0) {
            std::fprintf(stderr, "no first paint (runtime %.0f ms, bare frame %.0f ms)\n%s\n", ours.milliseconds,
                         reference.milliseconds, ReadText(kTranscriptPath).substr(0, 4000).c_str());
            result = 1;
            break;
        }
        samples.Add("startup_ms", ours.milliseconds);
        samples.Add("startup_ref_ms", reference.milliseconds);
        samples.Add("startup_peak_mb", ours.peakMegabytes);
        samples.Add("startup_ref_peak_mb", reference.peakMegabytes);
        samples.Add("startup_extra_mb", ours.peakMegabytes - reference.peakMegabytes);
    }
    std::remove(kTranscriptPath);
    std::remove(kBarePaintPath);
    DeleteFileW(kProjectPath);
    return result;
}
