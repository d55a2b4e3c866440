// WINMAIN: the program entry. Reads the command line and starts the demo.
#include <cstdio>
#include <cstring>

namespace {

const char* const usage =
    "Usage: qorn7316 [OPTION]...\n"
    "A real-time software-rendered audio-visual demo in a 256 x 256 window.\n"
    "\n"
    "  -h, --help     print this help and exit\n";

}  // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(usage, stdout);
            return 0;
        }
        std::fprintf(stderr, "qorn7316: unknown option '%s' (try --help)\n", argv[i]);
        return 2;
    }
    std::fputs(usage, stdout);
    return 0;
}
