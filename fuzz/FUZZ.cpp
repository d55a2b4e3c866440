// FUZZ: shared helpers of the fuzz targets. Scratch files live in TMPDIR (or
// /tmp), named by process so parallel runs do not meet, and are removed at exit.
#include "FUZZ.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include <unistd.h>

namespace {

std::vector<std::string>& made()
{
    static std::vector<std::string> paths;
    return paths;
}

void removeAll()
{
    for (const std::string& p : made()) std::remove(p.c_str());
}

}  // namespace

std::string FUZZ_scratchPath(const char* ending)
{
    const char* dir = std::getenv("TMPDIR");
    std::string path = std::string(dir != nullptr && *dir != '\0' ? dir : "/tmp") + "/qorn-fuzz-" +
                       std::to_string(::getpid()) + ending;
    for (const std::string& p : made())
        if (p == path) return path;
    if (made().empty()) std::atexit(removeAll);
    made().push_back(path);
    return path;
}

void FUZZ_writeScratch(const std::string& path, const std::uint8_t* data, std::size_t size)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    FUZZ_check(f != nullptr, "cannot create the scratch file");
    const bool ok = size == 0 || std::fwrite(data, 1, size, f) == size;
    FUZZ_check(std::fclose(f) == 0 && ok, "cannot write the scratch file");
}

void FUZZ_check(bool ok, const char* message)
{
    if (ok) return;
    std::fprintf(stderr, "fuzz check failed: %s\n", message);
    std::abort();
}
