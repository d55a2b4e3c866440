// OPTIONS: the command line through CLI11, GNU long options. Every option is
// one row of the table below; CLI11 splits the words (--name VALUE,
// --name=VALUE, the last of a repeated option wins) and the rows' readers
// check the values. No exception leaves this file.
#include "driver/OPTIONS.h"

#include <CLI/CLI.hpp>

#include <array>
#include <cstring>
#include <string_view>
#include <utility>

const char* const OPTIONS_PROGRAM = "qorn7316";

namespace {

// A usage error found by a reader; caught in OPTIONS_parse.
struct Usage {
    std::string message;
};

[[noreturn]] void fail(std::string message)
{
    throw Usage{std::move(message)};
}

// Decimal digits only, no sign, within the type's range.
bool readUnsigned(std::string_view text, std::uint32_t* out)
{
    if (text.empty() || text.size() > 10) return false;
    std::uint64_t v = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (v > 0xFFFFFFFFull) return false;
    *out = static_cast<std::uint32_t>(v);
    return true;
}

bool readSigned(std::string_view text, std::int32_t* out)
{
    bool negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    std::uint32_t v = 0;
    if (!readUnsigned(text, &v) || v > (negative ? 2147483648u : 2147483647u)) return false;
    *out = negative ? static_cast<std::int32_t>(0u - v) : static_cast<std::int32_t>(v);
    return true;
}

// Splits "a:b:c" into fields; returns max + 1 when there are more than max.
std::size_t splitFields(std::string_view entry, std::string_view* fields, std::size_t max)
{
    std::size_t n = 0;
    while (true) {
        const std::size_t colon = entry.find(':');
        if (n == max) return max + 1;
        fields[n++] = entry.substr(0, colon);
        if (colon == std::string_view::npos) return n;
        entry.remove_prefix(colon + 1);
    }
}

template <typename F>
void forEachEntry(std::string_view script, F&& entry)
{
    while (true) {
        const std::size_t comma = script.find(',');
        entry(script.substr(0, comma));
        if (comma == std::string_view::npos) return;
        script.remove_prefix(comma + 1);
    }
}

std::string inQuotes(std::string_view text)
{
    return "'" + std::string(text) + "'";
}

void readKeys(OPTIONS& o, const std::string& value)
{
    o.keys.clear();
    forEachEntry(value, [&](std::string_view entry) {
        std::string_view f[2];
        HOST_SCRIPTED_KEY k{};
        if (splitFields(entry, f, 2) != 2) fail("bad --keys entry " + inQuotes(entry) + ": want FRAME:KEY");
        if (!readUnsigned(f[0], &k.frame) || k.frame == 0)
            fail("bad frame " + inQuotes(f[0]) + " in --keys: want a number from 1");
        k.key = HOST_keyFromName(f[1].data(), f[1].size());
        if (k.key == 0) fail("unknown key " + inQuotes(f[1]) + " in --keys");
        o.keys.push_back(k);
    });
    o.keysGiven = true;
}

void readPointer(OPTIONS& o, const std::string& value)
{
    o.pointer.clear();
    forEachEntry(value, [&](std::string_view entry) {
        std::string_view f[4];
        HOST_SCRIPTED_POINTER s{};
        std::uint32_t buttons = 0;
        if (splitFields(entry, f, 4) != 4) fail("bad --pointer entry " + inQuotes(entry) + ": want FRAME:X:Y:BUTTONS");
        if (!readUnsigned(f[0], &s.frame) || s.frame == 0)
            fail("bad frame " + inQuotes(f[0]) + " in --pointer: want a number from 1");
        if (!readSigned(f[1], &s.x) || !readSigned(f[2], &s.y))
            fail("bad position in --pointer entry " + inQuotes(entry));
        if (!readUnsigned(f[3], &buttons) || buttons > 7)
            fail("bad buttons " + inQuotes(f[3]) + " in --pointer: want 0 to 7");
        s.buttons = static_cast<std::int32_t>(buttons);
        o.pointer.push_back(s);
    });
    o.pointerGiven = true;
}

void readFrames(OPTIONS& o, const std::string& value)
{
    if (!readUnsigned(value, &o.frames) || o.frames == 0)
        fail("bad value " + inQuotes(value) + " for --frames: want a number from 1");
}

void readClock(OPTIONS& o, const std::string& value)
{
    if (value == "real") o.clock = HOST_CLOCK::REAL;
    else if (value == "virtual") o.clock = HOST_CLOCK::VIRTUAL;
    else fail("bad value " + inQuotes(value) + " for --clock: want real or virtual");
    o.clockGiven = true;
}

void readDump(OPTIONS& o, const std::string& value)
{
    o.dump = true;
    o.dumpDirectory = value;
}

void readScene(OPTIONS& o, const std::string& value)
{
    if (value.empty()) fail("option '--scene' needs a scene name or index");
    o.scene = value;
}

void readAudio(OPTIONS& o, const std::string& value)
{
    if (value.empty()) fail("option '--audio' needs a file name");
    o.audioFile = value;
}

void readScale(std::int32_t* target, const char* option, const std::string& value)
{
    std::uint32_t n = 0;
    if (!readUnsigned(value, &n) || n < 1 || n > static_cast<std::uint32_t>(VIEW_MAX_SCALE))
        fail("bad value " + inQuotes(value) + " for " + option + ": want a number from 1 to 8");
    *target = static_cast<std::int32_t>(n);
}

void readScaleMode(OPTIONS& o, const std::string& value)
{
    if (value == "integer") o.scaleMode = VIEW_MODE::INTEGER;
    else if (value == "fit") o.scaleMode = VIEW_MODE::FIT;
    else fail("bad value " + inQuotes(value) + " for --scale-mode: want integer or fit");
}

void readDumpFormat(OPTIONS& o, const std::string& value)
{
    if (value == "ppm") o.dumpFormat = OPTIONS_DUMP_PPM;
    else if (value == "png") o.dumpFormat = OPTIONS_DUMP_PNG;
    else fail("bad value " + inQuotes(value) + " for --dump-format: want png or ppm");
}

void readCaptureFolder(OPTIONS& o, const std::string& value)
{
    if (value.empty()) fail("option '--capture-dir' needs a folder name");
    o.captureFolder = value;
}

void readRecord(OPTIONS& o, const std::string& value)
{
    if (value.empty()) fail("option '--record' needs a file name");
    o.recordFile = value;
}

void readVolume(OPTIONS& o, const std::string& value)
{
    std::uint32_t v = 0;
    if (!readUnsigned(value, &v) || v > 100) fail("bad value " + inQuotes(value) + " for --volume: want 0 to 100");
    o.volume = static_cast<std::int32_t>(v);
}

// One option. A row without a value is a flag; a value in brackets,
// "[=DIR]", may only follow the name after '='. Help lines after the first
// are continuation lines. Adding an option is adding a row here (and a
// field to OPTIONS).
struct Row {
    const char* names;                              // "--frames" or "-h,--help"
    const char* value;                              // "N", "[=DIR]", or null for a flag
    const char* defaultValue;                       // what an optional value is when not given
    const char* help;
    void (*read)(OPTIONS&, const std::string&);     // throws Usage on a bad value
};

const Row rows[] = {
    {"--headless", nullptr, nullptr, "run without a window; no display needed",
     [](OPTIONS& o, const std::string&) { o.headless = true; }},
    {"--frames", "N", nullptr, "end with status 0 after the N-th presented frame", readFrames},
    {"--dump-frames", "[=DIR]", ".",
     "write every presented frame to DIR (default: the\n"
     "working directory) as frame-00001.ppm, frame-00002.ppm;\n"
     "DIR/NAME.png or DIR/NAME.ppm names the files instead:\n"
     "DIR/NAME-00001.png...",
     readDump},
    {"--dump-format", "png|ppm", nullptr, "the kind of file --dump-frames writes (default ppm)", readDumpFormat},
    {"--clock", "real|virtual", nullptr,
     "headless clock: virtual (the default) moves only when\n"
     "the demo sleeps, every frame lasting 20 ms, so every\n"
     "run gives the same frames and sound",
     readClock},
    {"--keys", "SCRIPT", nullptr,
     "headless: keys to press, FRAME:KEY[,FRAME:KEY]...\n"
     "for example 120:space,300:G,900:Escape",
     readKeys},
    {"--pointer", "SCRIPT", nullptr,
     "headless: pointer states, FRAME:X:Y:BUTTONS[,...]\n"
     "for example 200:128:64:1,260:128:64:0",
     readPointer},
    {"--audio", "FILE", nullptr,
     "write the sound that would be heard to FILE as a WAVE\n"
     "file (16-bit mono, 44100 Hz) instead of playing it;\n"
     "headless, it follows the clock",
     readAudio},
    {"--mute", nullptr, nullptr, "no sound (the music is still made)",
     [](OPTIONS& o, const std::string&) { o.mute = true; }},
    {"--scale", "N", nullptr,
     "window at N times the frame (1 to 8, default 1), each\n"
     "pixel a square of N x N; also the size of a recording",
     [](OPTIONS& o, const std::string& v) { readScale(&o.scale, "--scale", v); }},
    {"--fullscreen", nullptr, nullptr, "start on the whole screen (F11 or Alt+Enter switches)",
     [](OPTIONS& o, const std::string&) { o.fullscreen = true; }},
    {"--scale-mode", "integer|fit", nullptr,
     "integer (the default): the largest whole multiple of\n"
     "the frame that fits, black around it; fit: as large as\n"
     "the aspect allows, by a fractional factor",
     readScaleMode},
    {"--capture-dir", "DIR", nullptr,
     "where F12 writes screenshots (made if missing), named\n"
     "qorn7316-YYYYMMDD-HHMMSS-mmm.png (default: the XDG\n"
     "pictures folder if there is one, else the working\n"
     "directory); the path is printed",
     readCaptureFolder},
    {"--screenshot-scale", "N", nullptr, "screenshots at N times the frame (1 to 8, default 1)",
     [](OPTIONS& o, const std::string& v) { readScale(&o.screenshotScale, "--screenshot-scale", v); }},
    {"--record", "FILE", nullptr,
     "write what is shown and heard to a video, 50 frames\n"
     "a second with 882 sound values each, at --scale:\n"
     "FILE.mkv lossless (FFV1, FLAC), .mp4 (H.264, AAC) or\n"
     ".webm (VP9, Opus); headless every frame in turn,\n"
     "with a window as the clock showed them",
     readRecord},
    {"--volume", "0..100", nullptr,
     "volume of the sound device (default 100); it scales\n"
     "only what is heard, never the sound --audio writes",
     readVolume},
    {"--trace", nullptr, nullptr,
     "print a line on standard error at every scene start\n"
     "and, where the pointer is used, at every change of\n"
     "its buttons (with its place in frame pixels)",
     [](OPTIONS& o, const std::string&) { o.trace = true; }},
    {"--scene", "NAME|INDEX", nullptr, "run one scene over and over (see --list-scenes)", readScene},
    {"--list-scenes", nullptr, nullptr, "print the scene table and exit",
     [](OPTIONS& o, const std::string&) { o.listScenes = true; }},
    {"--bench", nullptr, nullptr,
     "headless on the real clock: print the counts the two\n"
     "benchmark scenes settle at and every scene's mean\n"
     "time per frame, then exit (under a minute)",
     [](OPTIONS& o, const std::string&) { o.bench = true; }},
    {"--version", nullptr, nullptr, "print the version and exit",
     [](OPTIONS& o, const std::string&) { o.version = true; }},
    {"-h,--help", nullptr, nullptr, "print this help and exit",
     [](OPTIONS& o, const std::string&) { o.help = true; }},
};

// Keys in the window, as the help lists them.
struct Key {
    const char* keys;
    const char* what;
};

const Key keyRows[] = {
    {"space", "skip the running scene"},
    {"Escape", "fade out and end the demo"},
    {"P", "pause and resume"},
    {"G, B", "glow filter, blur filter on and off"},
    {"F", "trail fade on and off"},
    {"W", "keep the frame (trails) on and off"},
    {"Q", "background: black, white, random"},
    {"1", "greetings scroller on and off"},
    {"4", "the scroller's raster colours on and off"},
    {"8", "frame-rate readout on and off"},
    {"S", "benchmark text on and off"},
    {"0", "new music loops off and on"},
    {"5, 6", "lower, raise the frame rate (1 to 100)"},
    {"+, -", "more, fewer circles and rectangles"},
    {"F11, Alt+Enter", "fullscreen on and off"},
    {"F12", "screenshot of the frame shown (see --capture-dir)"},
    {"[, ]", "volume down, up (steps of 10; only what is heard)"},
    {"Ctrl+M", "mute and unmute what is heard"},
};

// Environment variables the program reads.
const Key environmentRows[] = {
    {"DISPLAY, WAYLAND_DISPLAY", "where the window opens; with neither set only\n"
                                 "--headless runs"},
    {"SDL_VIDEODRIVER", "picks the window system driver"},
    {"QORN_SIMD=NAME", "the drawing kernels' instruction set: one of those\n"
                       "--bench lists (AVX3, AVX2, SSE4, SSSE3 on x86), or\n"
                       "scalar for the plain reference code; the frames are\n"
                       "the same with every one (default: the best there is)"},
    {"XDG_PICTURES_DIR", "the screenshot folder when --capture-dir is not given\n"
                         "(else the user-dirs file's, else the working directory)"},
};

const Key exitRows[] = {
    {"0", "the demo ended (Escape, window closed, --frames)"},
    {"1", "something failed (no window, a file not written)"},
    {"2", "a usage error (a bad option or value)"},
};

constexpr std::size_t helpColumn = 24;

void putRow(std::string& out, std::string left, const char* text)
{
    out += "  " + left;
    if (left.size() + 2 >= helpColumn) {
        out += "\n";
        left.clear();
        out += std::string(helpColumn, ' ');
    } else {
        out += std::string(helpColumn - 2 - left.size(), ' ');
    }
    for (const char* c = text; *c != 0; ++c) {
        out += *c;
        if (*c == '\n') out += std::string(helpColumn, ' ');
    }
    out += "\n";
}

std::string rowLeft(const Row& r)
{
    std::string names = r.names;
    const std::size_t comma = names.find(',');
    if (comma != std::string::npos) names.replace(comma, 1, ", ");
    if (r.value == nullptr) return names;
    return names + (r.value[0] == '[' ? "" : " ") + r.value;
}

std::string helpText()
{
    std::string out =
        "Usage: qorn7316 [OPTION]...\n"
        "A real-time software-rendered audio-visual demo in a 256 x 256 window.\n"
        "\n"
        "Options:\n";
    for (const Row& r : rows) putRow(out, rowLeft(r), r.help);
    out += "\nKeys in the window:\n";
    for (const Key& k : keyRows) putRow(out, k.keys, k.what);
    out +=
        "Letters work in either case; + - < > from the main keyboard or the keypad.\n"
        "\n"
        "Scripts count presented frames from 1; every frame shown counts, the fades\n"
        "too. A key scripted for frame N is handled right after frame N is shown; of\n"
        "keys due at the same moment only the last counts. A KEY is a letter, a digit,\n"
        "+ - < > or one of space, Escape, plus, minus, less, greater, F12 (a\n"
        "screenshot of that frame). A pointer state holds from its frame on: X and Y\n"
        "are frame pixels, BUTTONS adds 1 (left), 2 (right) and 4 (middle); before\n"
        "the first state the pointer rests outside the frame. A paused demo shows no\n"
        "frames, so the next scripted key arrives during the pause.\n"
        "\n"
        "Environment:\n";
    for (const Key& k : environmentRows) putRow(out, k.keys, k.what);
    out += "\nExit status:\n";
    for (const Key& k : exitRows) putRow(out, k.keys, k.what);
    return out;
}

const Row* findRow(std::string_view name)
{
    for (const Row& r : rows) {
        std::string_view names = r.names;
        while (!names.empty()) {
            const std::size_t comma = names.find(',');
            if (names.substr(0, comma) == name) return &r;
            if (comma == std::string_view::npos) break;
            names.remove_prefix(comma + 1);
        }
    }
    return nullptr;
}

// The GNU rules CLI11 words differently: a flag given a value, a value
// missing at the end of the line or after '='.
void checkWords(int argc, const char* const* argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i] != nullptr ? argv[i] : "";
        if (arg.size() < 3 || arg.substr(0, 2) != "--") continue;
        const std::size_t eq = arg.find('=');
        const std::string_view name = arg.substr(0, eq);
        const Row* r = findRow(name);
        if (r == nullptr) continue;
        const bool inlineValue = eq != std::string_view::npos;
        if (r->value == nullptr && inlineValue) fail("option " + inQuotes(name) + " takes no value");
        if (r->value != nullptr && r->value[0] == '[' && inlineValue && eq + 1 == arg.size())
            fail("option " + inQuotes(std::string(name) + "=") + " needs a value after '='");
        if (r->value != nullptr && r->value[0] != '[' && !inlineValue && i + 1 >= argc)
            fail("option " + inQuotes(name) + " needs a value");
    }
}

void parse(int argc, const char* const* argv, OPTIONS* options)
{
    checkWords(argc, argv);
    CLI::App app{"", OPTIONS_PROGRAM};
    app.set_help_flag();
    app.allow_extras();
    app.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    constexpr std::size_t count = sizeof rows / sizeof rows[0];
    std::array<std::string, count> values;
    std::array<CLI::Option*, count> given{};
    for (std::size_t i = 0; i < count; ++i) {
        const Row& r = rows[i];
        if (r.value == nullptr) {
            given[i] = app.add_flag(r.names)->disable_flag_override();
        } else if (r.value[0] == '[') {
            given[i] = app.add_flag(std::string(r.names) + "{" + r.defaultValue + "}", values[i]);
        } else {
            given[i] = app.add_option(r.names, values[i]);
        }
    }
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        fail(e.what());
    }
    const std::vector<std::string> extra = app.remaining();
    for (const std::string& word : extra)
        if (word.size() > 1 && word[0] == '-') fail("unknown option " + inQuotes(word));
    if (!extra.empty()) fail("unexpected argument " + inQuotes(extra.front()));
    for (std::size_t i = 0; i < count; ++i)
        if (given[i]->count() > 0) rows[i].read(*options, values[i]);
    if (!options->headless) {
        if (options->clockGiven) fail("--clock works only with --headless");
        if (options->keysGiven) fail("--keys works only with --headless");
        if (options->pointerGiven) fail("--pointer works only with --headless");
    } else if (options->fullscreen) {
        fail("--fullscreen works only with a window");
    }
    if (options->dumpFormat != OPTIONS_DUMP_DEFAULT && !options->dump) fail("--dump-format works only with --dump-frames");
}

}  // namespace

bool OPTIONS_parse(int argc, const char* const* argv, OPTIONS* options, std::string* error)
{
    if (options == nullptr || error == nullptr || argv == nullptr) return false;
    *options = OPTIONS{};
    error->clear();
    try {
        parse(argc, argv, options);
    } catch (const Usage& u) {
        *error = u.message;
        for (char& c : *error)
            if (c == '\n') c = ' ';
        return false;
    } catch (const std::exception& e) {
        *error = e.what();
        return false;
    }
    return true;
}

void OPTIONS_help(std::FILE* out)
{
    if (out == nullptr) return;
    const std::string text = helpText();
    std::fputs(text.c_str(), out);
}

void OPTIONS_printVersion(std::FILE* out)
{
    if (out == nullptr) return;
    if (OPTIONS_COMMIT[0] != 0) std::fprintf(out, "%s %s (commit %s)\n", OPTIONS_PROGRAM, OPTIONS_VERSION, OPTIONS_COMMIT);
    else std::fprintf(out, "%s %s\n", OPTIONS_PROGRAM, OPTIONS_VERSION);
}

void OPTIONS_usageError(std::FILE* out, const std::string& error)
{
    if (out == nullptr) return;
    std::fprintf(out, "%s: %s\nTry '%s --help'.\n", OPTIONS_PROGRAM, error.c_str(), OPTIONS_PROGRAM);
}
