// kova_make_demo RUNTIME SCRIPT OUT
// Writes the demo project: a copy of the runtime with a package appended whose
// one form plays a stand-in movie carrying the script file's steps.

#include "packagewriter.h"
#include "standinmovie.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

namespace {

bool ReadBytes(const char* path, std::string& bytes)
{
    std::ifstream file(path, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return bool(file) || file.eof();
}

ValueContent PlainValue(const std::wstring& text)
{
    ValueContent value;
    value.text = text;
    return value;
}

PackageContent DemoPackage(const std::string& script)
{
    standin::StandinMovie movie;
    movie.script = script;
    movie.width = 640;
    movie.height = 200;
    movie.red = 0x20;
    movie.green = 0x40;
    movie.blue = 0x80;
    const std::string movieBytes = standin::BuildStandinMovie(movie, true);

    FormContent form;
    form.settings.name = L"demo";
    form.settings.title = L"Demo project";
    form.settings.width = movie.width;
    form.settings.height = movie.height;
    form.settings.centre = true;
    form.settings.visible = true;
    form.settings.closeBox = true;
    form.settings.minimizeBox = true;
    form.settings.escapeCloses = true;
    form.settings.altF4Allowed = true;
    form.movie.assign(movieBytes.begin(), movieBytes.end());

    PackageContent package;
    package.forms.push_back(form);
    package.globalVariables.emplace_back(L"greeting", PlainValue(L"Hello from the demo package"));
    return package;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s RUNTIME SCRIPT OUT\n", argv[0]);
        return 2;
    }
    std::string runtime, script;
    if (!ReadBytes(argv[1], runtime) || runtime.empty() || !ReadBytes(argv[2], script)) {
        std::fprintf(stderr, "cannot read %s or %s\n", argv[1], argv[2]);
        return 1;
    }
    PackageWriter writer;
    writer.WritePackage(DemoPackage(script));
    const ByteVector image = BuildExecutableImage(ByteVector(runtime.begin(), runtime.end()), writer.Bytes());
    std::ofstream out(argv[3], std::ios::binary);
    out.write(reinterpret_cast<const char*>(image.data()), std::streamsize(image.size()));
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
