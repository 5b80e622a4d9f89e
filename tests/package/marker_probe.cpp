// Looks for the package marker in its own file, as the runtime does at
// start; exits with 0 when it is not there.
#include "packagelocator.h"
#include "scopedfileclose.h"

#include <cstdio>

int main(int, char** argv)
{
    ScopedFileClose self(std::fopen(argv[0], "rb"));
    if (!self)
        return 2;
    return FindPackageMarker(self.Get()) ? 1 : 0;
}
