#include "wholefile.h"

#include "filewriteguard.h"
#include "scopedfileclose.h"
#include "textconv.h"

#include <climits>
#include <cstdint>
#include <new>

bool SeekFile(std::FILE* file, int64_t offset, int origin)
{
#ifdef _WIN32
    return _fseeki64(file, offset, origin) == 0;
#else
    return fseeko(file, offset, origin) == 0;
#endif
}

int64_t TellFile(std::FILE* file)
{
#ifdef _WIN32
    return _ftelli64(file);
#else
    return ftello(file);
#endif
}

std::FILE* OpenFileWide(const std::wstring& path, const wchar_t* mode)
{
#ifdef _WIN32
    return _wfopen(path.c_str(), mode);
#else
    std::string narrowMode;
    for (const wchar_t* m = mode; *m; ++m)
        narrowMode += static_cast<char>(*m);
    return std::fopen(WideToUtf8(path).c_str(), narrowMode.c_str());
#endif
}

bool ReadWholeStream(std::FILE* file, std::unique_ptr<unsigned char[]>& bytes, long& length)
{
    if (!SeekFile(file, 0, SEEK_END)) {
        length = -1;
        return false;
    }
    const int64_t size = TellFile(file);
    // Lengths travel as 32-bit numbers; a larger file cannot be held.
    if (size < 0 || size > INT32_MAX || !SeekFile(file, 0, SEEK_SET)) {
        length = -1;
        return false;
    }

    std::unique_ptr<unsigned char[]> data(new (std::nothrow) unsigned char[size ? size : 1]);
    if (!data || std::fread(data.get(), 1, static_cast<size_t>(size), file) != static_cast<size_t>(size)) {
        bytes.reset();
        length = 0;
        return false;
    }
    bytes = std::move(data);
    length = static_cast<long>(size);
    return true;
}

bool ReadWholeFile(const std::wstring& path, std::unique_ptr<unsigned char[]>& bytes, long& length)
{
    ScopedFileClose file(OpenFileWide(path, L"rb"));
    if (!file)
        return false;
    return ReadWholeStream(file.Get(), bytes, length);
}

namespace {

// Writes the bytes to a stream opened with the mode and closes it; a failed
// close counts, since it flushes the last bytes.
bool WriteAndClose(const std::wstring& path, const wchar_t* mode, const unsigned char* bytes, long length)
{
    if (length < 0)
        return false;
    const FileWriteGuard writing;
    std::FILE* file = OpenFileWide(path, mode);
    if (!file)
        return false;
    const bool written = length == 0
        || std::fwrite(bytes, 1, static_cast<size_t>(length), file) == static_cast<size_t>(length);
    const bool closed = std::fclose(file) == 0;
    return written && closed;
}

} // namespace

bool WriteWholeFile(const std::wstring& path, const unsigned char* bytes, long length)
{
    return WriteAndClose(path, L"wb+", bytes, length);
}

bool AppendFileBytes(const std::wstring& path, const unsigned char* bytes, long length)
{
    return WriteAndClose(path, L"ab", bytes, length);
}
