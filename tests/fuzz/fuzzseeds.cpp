// kova_fuzz_seeds DIR
// Writes the seed inputs of every fuzz target into DIR/<target>/, made by the
// project's own writers: packages, library images, movies and call scripts.

#include "callprotocol.h"
#include "moviecipherwriter.h"
#include "packagetestsupport.h"
#include "standinmovie.h"
#include "testpeimage.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

class SeedFolder {
public:
    SeedFolder(const fs::path& root, const std::string& target) : m_folder(root / target)
    {
        fs::create_directories(m_folder);
    }

    template <typename Bytes>
    void Write(const std::string& name, const Bytes& bytes) const
    {
        std::ofstream file(m_folder / name, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!file)
            throw std::runtime_error("cannot write " + (m_folder / name).string());
    }

private:
    fs::path m_folder;
};

void WriteBase64Seeds(const fs::path& root)
{
    const SeedFolder seeds(root, "base64");
    // ["nxa.Application.say","h\u00e9",1], "ab" and "a".
    seeds.Write("json", std::string("WyJueGEuQXBwbGljYXRpb24uc2F5IiwiaMOpIiwxXQ=="));
    seeds.Write("one_pad", std::string("YWI="));
    seeds.Write("two_pads", std::string("YQ=="));
}

void WriteCallTextSeeds(const fs::path& root)
{
    const SeedFolder seeds(root, "calltext");
    seeds.Write("init", standin::BuildCommandScript(false, 0, -1, "[\"nxa.init\"]"));
    seeds.Write("async_arguments",
                standin::BuildCommandScript(true, 3, 12, "[\"nxa.Application.say\",\"h\\u00e9\",2,true,null,[1]]"));
    seeds.Write("no_arguments", standin::BuildCommandScript(false, -7, 2147483647, "[]"));
    // A bare JSON array, read as the written call's command text.
    seeds.Write("json_array", std::string("[\"nxa.FileSystem.writeFile\",{\"path\":\"a\\/b\",\"size\":1.5e3},"
                                          "\"\\ud83d\\ude00\",-0,[[]],false,null]"));
}

void WriteMovieSeeds(const fs::path& root)
{
    const SeedFolder seeds(root, "swfheader");
    standin::StandinMovie movie;
    movie.script = "call nxa.init";
    seeds.Write("plain", standin::BuildStandinMovie(movie, false));
    movie.width = 1;
    movie.height = 4000;
    movie.red = 0x12;
    seeds.Write("compressed", standin::BuildStandinMovie(movie, true));
}

void WriteLibrarySeeds(const fs::path& root)
{
    const SeedFolder seeds(root, "peimage");
    for (PeMachine machine : {PeMachine::I386, PeMachine::Amd64}) {
        const bool is64 = machine == PeMachine::Amd64;
        TestPeImage builder(machine);
        builder.entryPointRva = TestPeImage::kDataRva;
        builder.data.assign(0x40, 0x90);
        builder.exports = {{"NP_GetEntryPoints", TestPeImage::kDataRva + 0x10, ""},
                           {"Forwarded", 0, "other.Target"}};
        builder.relocations = {{TestPeImage::kDataRva + 0x20, is64 ? 10u : 3u}, {TestPeImage::kDataRva + 0x30, 3}};
        builder.imports = {{"first.dll", {"Alpha", "Beta"}, {7}, true, false},
                           {"second.dll", {"Gamma"}, {}, false, true}};
        seeds.Write(is64 ? "amd64" : "i386", builder.Build());
    }
}

void WritePackageSeeds(const fs::path& root)
{
    const SeedFolder seeds(root, "package");
    seeds.Write("full_v14", WritePackage(FullPackage(14)));
    seeds.Write("full_v1", WritePackage(FullPackage(1)));

    // One form whose movie is enciphered with a small key, so that runs stay fast.
    PackageContent package;
    FormContent form;
    form.version = 12;
    const std::string& pem = RsaKeyPem(512);
    if (!EncipherMovie(Pattern(300, 5), pem, form.movie))
        throw std::runtime_error("cannot encipher the seed movie");
    form.keyBlock.assign(pem.begin(), pem.end());
    package.forms = {form};
    seeds.Write("enciphered_movie", WritePackage(package));

    // A key block locked with a pass phrase, refused without asking for it.
    const std::string lockedPem = EncipheredPem(pem, "secret");
    package.forms[0].keyBlock.assign(lockedPem.begin(), lockedPem.end());
    seeds.Write("enciphered_key_block", WritePackage(package));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: kova_fuzz_seeds DIR\n");
        return 2;
    }
    try {
        const fs::path root(argv[1]);
        WriteBase64Seeds(root);
        WriteCallTextSeeds(root);
        WriteMovieSeeds(root);
        WriteLibrarySeeds(root);
        WritePackageSeeds(root);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "kova_fuzz_seeds: %s\n", error.what());
        return 1;
    }
    return 0;
}
