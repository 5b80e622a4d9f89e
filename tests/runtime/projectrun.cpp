#include "projectrun.h"

#include "childprocess.h"
#include "packagewriter.h"
#include "standinmovie.h"
#include "textfile.h"
#include "wholefile.h"

#include <windows.h>

std::string ScriptedMovie(const std::string& script, int version)
{
    standin::StandinMovie movie;
    movie.script = script;
    movie.version = version;
    return standin::BuildStandinMovie(movie);
}

FormContent ScriptedForm(const std::wstring& name, const std::string& script, int version)
{
    const std::string bytes = ScriptedMovie(script, version);
    FormContent form;
    form.settings.name = name;
    form.settings.title = name;
    form.settings.width = 320;
    form.settings.height = 240;
    form.settings.visible = true;
    form.movie.assign(bytes.begin(), bytes.end());
    return form;
}

std::string JsonPath(const std::wstring& path)
{
    std::string json;
    for (wchar_t c : path)
        json += c == L'\\' ? std::string("\\\\") : std::string(1, static_cast<char>(c));
    return "\"" + json + "\"";
}

bool WriteProjectExecutable(const char* runtimePath, const PackageContent& content, const std::wstring& path)
{
    PackageWriter writer;
    writer.WritePackage(content);
    const std::string program = ReadFileText(BuildTreePath(runtimePath));
    const ByteVector image = BuildExecutableImage(ByteVector(program.begin(), program.end()), writer.Bytes());
    return WriteWholeFile(path, image.data(), static_cast<long>(image.size()));
}

long RunWithTranscript(const std::wstring& program, const std::wstring& arguments, const std::wstring& transcript)
{
    SetEnvironmentVariableW(L"KOVA_PLAYER_TRANSCRIPT", transcript.c_str());
    const long exitCode = RunChildProcess(program, arguments, 60000);
    SetEnvironmentVariableW(L"KOVA_PLAYER_TRANSCRIPT", nullptr);
    return exitCode;
}
