// make-standin-movie SCRIPT OUT [VERSION [cws]]
// Writes a stand-in movie that carries the script file's text (see
// moviescript.h for the steps), with the given version byte (default 10);
// "cws" compresses the body.

#include "standinmovie.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s SCRIPT OUT [VERSION [cws]]\n", argv[0]);
        return 2;
    }
    std::ifstream script(argv[1], std::ios::binary);
    if (!script) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    std::ostringstream text;
    text << script.rdbuf();
    standin::StandinMovie movie;
    movie.script = text.str();
    if (argc > 3)
        movie.version = std::atoi(argv[3]);
    bool compressed = argc > 4 && std::strcmp(argv[4], "cws") == 0;
    std::string bytes = standin::BuildStandinMovie(movie, compressed);
    std::ofstream out(argv[2], std::ios::binary);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
