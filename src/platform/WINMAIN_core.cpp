// WINMAIN: the command line, the window procedure, the message pump and the
// entry that starts the demo driver. The pump runs on the demo's own thread
// between frames; the window procedure only keeps the last key, snaps the
// window back to its size and ends the process when the window is closed.
#include "platform/WINMAIN.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "driver/QORN7316.h"
#include "platform/CAPTURE.h"
#include "platform/RECORD.h"
#include "raster/PNG.h"
#include "platform/PLAYER.h"
#include "platform/WINDPY.h"

const MODID WINMAIN_ID = MODID_WINDOWS("WINMAIN ");
std::uint8_t WINMAIN_debug = 0;
std::uint8_t WINMAIN_lastKey = 0;

std::int32_t WINMAIN_windowProc(std::int32_t message, std::int32_t param)
{
    switch (message) {
    case WINMAIN_DESTROY:
        HOST_exit(0);
    case WINMAIN_SIZE:
        WINDPY_setSize(WINDPY_current(), 256, 256);   // whatever size it was given, back to 256 x 256
        return 0;
    case WINMAIN_KEYDOWN:
        WINMAIN_lastKey = static_cast<std::uint8_t>(param & 0xFF);   // replaces an unread key
        return 0;
    default:
        return 0;
    }
}

// The window system queues every pointer movement as an event, so a pump
// that took one event per frame would fall further and further behind.
// Each pump takes everything pending instead; since the window procedure
// keeps only the newest key and the keyboard poll takes one key per frame,
// the last key still wins and one key is handled per poll.
void WINMAIN_pump()
{
    constexpr std::int32_t batch = 64;
    HOST_EVENT events[batch];
    const std::int32_t n = HOST_takeEvents(events, batch);
    for (std::int32_t i = 0; i < n; ++i) {
        switch (events[i].kind) {
        case HOST_KEY:
            if (events[i].key == HOST_KEY_SCREENSHOT) CAPTURE_request();   // served with the next frame shown
            else WINMAIN_windowProc(WINMAIN_KEYDOWN, events[i].key);
            break;
        case HOST_RESIZE: WINMAIN_windowProc(WINMAIN_SIZE, 0); break;
        case HOST_CLOSE: WINMAIN_windowProc(WINMAIN_DESTROY, 0); break;
        default: break;
        }
    }
}

// The pause loop polls keys and pumps messages; this gives the machine back
// a moment per round instead of spinning.
void WINMAIN_wait()
{
    if (CAPTURE_pending()) {   // no frame comes during the pause: the one on show
        IMG* onShow = WINDPY_shownFrame();
        if (onShow != nullptr) {
            CAPTURE_serve(onShow);
            IMG_free(&onShow);
        }
    }
    HOST_idle(WINMAIN_lastKey != 0);
}

void WINMAIN_error()
{
    if (WINMAIN_debug != 0) std::fputs("WINMAIN error\n", stdout);
}

namespace {

const char* const usageText =
    "Usage: qorn7316 [OPTION]...\n"
    "A real-time software-rendered audio-visual demo in a 256 x 256 window.\n"
    "Space skips a scene, Escape fades out and quits, P pauses (see the README).\n"
    "\n"
    "  --headless            run without a window; no display needed\n"
    "  --frames N            end with status 0 after the N-th presented frame\n"
    "  --dump-frames[=DIR]   write every presented frame to DIR (default: the\n"
    "                        working directory) as frame-00001.ppm, frame-00002.ppm...\n"
    "  --clock real|virtual  headless clock: virtual (the default) moves only when\n"
    "                        the demo sleeps, so every run gives the same frames\n"
    "  --keys SCRIPT         headless: keys to press, FRAME:KEY[,FRAME:KEY]...\n"
    "                        for example 120:space,300:G,900:Escape\n"
    "  --pointer SCRIPT      headless: pointer states, FRAME:X:Y:BUTTONS[,...]\n"
    "                        for example 200:128:64:1,260:128:64:0\n"
    "  --audio FILE          write the sound that would be heard to FILE as a WAVE\n"
    "                        file (16-bit mono, 44100 Hz) instead of playing it;\n"
    "                        headless, it follows the clock\n"
    "  --mute                no sound (the music is still made)\n"
    "  --trace               print a line on standard error at every scene start\n"
    "  --scene NAME|INDEX    run one scene over and over (see --list-scenes)\n"
    "  --list-scenes         print the scene table and exit\n"
    "  --bench               headless on the real clock: print the counts the two\n"
    "                        benchmark scenes settle at and every scene's mean\n"
    "                        time per frame, then exit (under a minute)\n"
    "  --scale N             window at N times the frame (1 to 8, default 1),\n"
    "                        nearest-neighbour; also the size of a recording\n"
    "  --fullscreen          start on the whole screen (F11 or Alt+Enter switches)\n"
    "  --scale-mode MODE     integer (the default): the largest whole multiple that\n"
    "                        fits, black around it; fit: fill as far as the aspect\n"
    "                        allows, by a fractional factor\n"
    "  --capture-dir DIR     where F12 writes its screenshots (default: the XDG\n"
    "                        pictures folder if there is one, else the working\n"
    "                        directory) as qorn7316-YYYYMMDD-HHMMSS-mmm.png\n"
    "  --screenshot-scale N  screenshots at N times the frame (1 to 8, default 1)\n"
    "  --dump-format FORMAT  --dump-frames writes ppm (the default) or png files;\n"
    "                        --dump-frames=DIR/NAME.png gives DIR/NAME-00001.png...\n"
    "  --record FILE         write what is shown and heard as a video, 50 frames\n"
    "                        a second: FILE.mkv lossless (FFV1, FLAC), .mp4 (H.264,\n"
    "                        AAC) or .webm (VP9, Opus); headless it is exact\n"
    "  -h, --help            print this help and exit\n"
    "\n"
    "Scripts count presented frames from 1; every frame shown counts, the fades\n"
    "too. A key scripted for frame N is handled right after frame N is shown; of\n"
    "keys due at the same moment only the last counts. A KEY is a letter, a digit,\n"
    "+ - < > or one of space, Escape, plus, minus, less, greater. A pointer state\n"
    "holds from its frame on: X and Y are frame pixels, BUTTONS adds 1 (left),\n"
    "2 (right) and 4 (middle); before the first state the pointer rests outside\n"
    "the frame. A paused demo shows no frames, so the next scripted key arrives\n"
    "during the pause. A script's F12 takes a screenshot of that frame.\n"
    "\n"
    "Window keys of the player: F11 or Alt+Enter fullscreen on and off, F12 a\n"
    "screenshot (its path is printed).\n";

struct Parser {
    char* error;
    std::size_t errorSize;

    bool fail(const std::string& message)
    {
        std::snprintf(error, errorSize, "%s", message.c_str());
        return false;
    }
};

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

// Splits "a:b:c" into at most max fields; false if the count differs.
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
bool forEachEntry(std::string_view script, F&& entry)
{
    while (true) {
        const std::size_t comma = script.find(',');
        if (!entry(script.substr(0, comma))) return false;
        if (comma == std::string_view::npos) return true;
        script.remove_prefix(comma + 1);
    }
}

bool parseKeys(Parser& p, std::string_view script, std::vector<HOST_SCRIPTED_KEY>* keys)
{
    keys->clear();
    return forEachEntry(script, [&](std::string_view entry) {
        std::string_view f[2];
        HOST_SCRIPTED_KEY k{};
        if (splitFields(entry, f, 2) != 2) return p.fail("bad --keys entry '" + std::string(entry) + "': want FRAME:KEY");
        if (!readUnsigned(f[0], &k.frame) || k.frame == 0)
            return p.fail("bad frame '" + std::string(f[0]) + "' in --keys: want a number from 1");
        k.key = HOST_keyFromName(f[1].data(), f[1].size());
        if (k.key == 0) return p.fail("unknown key '" + std::string(f[1]) + "' in --keys");
        keys->push_back(k);
        return true;
    });
}

bool parsePointer(Parser& p, std::string_view script, std::vector<HOST_SCRIPTED_POINTER>* states)
{
    states->clear();
    return forEachEntry(script, [&](std::string_view entry) {
        std::string_view f[4];
        HOST_SCRIPTED_POINTER s{};
        std::uint32_t buttons = 0;
        if (splitFields(entry, f, 4) != 4) return p.fail("bad --pointer entry '" + std::string(entry) + "': want FRAME:X:Y:BUTTONS");
        if (!readUnsigned(f[0], &s.frame) || s.frame == 0)
            return p.fail("bad frame '" + std::string(f[0]) + "' in --pointer: want a number from 1");
        if (!readSigned(f[1], &s.x) || !readSigned(f[2], &s.y))
            return p.fail("bad position in --pointer entry '" + std::string(entry) + "'");
        if (!readUnsigned(f[3], &buttons) || buttons > 7)
            return p.fail("bad buttons '" + std::string(f[3]) + "' in --pointer: want 0 to 7");
        s.buttons = static_cast<std::int32_t>(buttons);
        states->push_back(s);
        return true;
    });
}

// The window's scale and mode, screenshots, frame files and the recording.
bool isPresentationOption(std::string_view name)
{
    return name == "--scale" || name == "--scale-mode" || name == "--screenshot-scale" || name == "--capture-dir" ||
           name == "--dump-format" || name == "--record";
}

bool parsePresentation(Parser& p, std::string_view name, std::string_view value, const char* valueText,
                       WINMAIN_OPTIONS* options)
{
    const std::string option(name);
    if (name == "--scale" || name == "--screenshot-scale") {
        std::uint32_t n = 0;
        if (!readUnsigned(value, &n) || n < 1 || n > static_cast<std::uint32_t>(VIEW_MAX_SCALE))
            return p.fail("bad value '" + std::string(value) + "' for " + option + ": want a number from 1 to 8");
        (name == "--scale" ? options->scale : options->screenshotScale) = static_cast<std::int32_t>(n);
    } else if (name == "--scale-mode") {
        if (value == "integer") options->scaleMode = VIEW_MODE::INTEGER;
        else if (value == "fit") options->scaleMode = VIEW_MODE::FIT;
        else return p.fail("bad value '" + std::string(value) + "' for --scale-mode: want integer or fit");
    } else if (name == "--dump-format") {
        if (value == "ppm") options->dumpFormat = 1;
        else if (value == "png") options->dumpFormat = 2;
        else return p.fail("bad value '" + std::string(value) + "' for --dump-format: want png or ppm");
    } else {
        if (value.empty()) return p.fail("option '" + option + "' needs a " + (name == "--record" ? "file" : "folder") + " name");
        (name == "--record" ? options->recordFile : options->captureFolder) = valueText;
    }
    return true;
}

}  // namespace

void WINMAIN_usage(std::FILE* out)
{
    std::fputs(usageText, out);
}

bool WINMAIN_parse(int argc, const char* const* argv, WINMAIN_OPTIONS* options, char* error, std::size_t errorSize)
{
    if (options == nullptr || error == nullptr || errorSize == 0) { WINMAIN_error(); return false; }
    *options = WINMAIN_OPTIONS{};
    error[0] = 0;
    Parser p{error, errorSize};
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i] != nullptr ? argv[i] : "";
        if (arg == "-h") { options->help = true; continue; }
        if (arg.size() < 3 || arg.substr(0, 2) != "--") return p.fail("unexpected argument '" + std::string(arg) + "' (try --help)");
        const std::size_t eq = arg.find('=');
        const std::string_view name = arg.substr(0, eq);
        const bool inlineValue = eq != std::string_view::npos;
        std::string_view value = inlineValue ? arg.substr(eq + 1) : std::string_view{};

        struct Flag { std::string_view name; bool* target; };
        const Flag flags[] = {
            {"--help", &options->help}, {"--headless", &options->headless},
            {"--trace", &options->trace}, {"--list-scenes", &options->listScenes},
            {"--bench", &options->bench}, {"--mute", &options->mute},
            {"--fullscreen", &options->fullscreen},
        };
        bool matched = false;
        for (const Flag& f : flags) {
            if (name != f.name) continue;
            if (inlineValue) return p.fail("option '" + std::string(name) + "' takes no value");
            *f.target = true;
            matched = true;
        }
        if (matched) continue;
        if (name == "--dump-frames") {
            if (inlineValue && value.empty()) return p.fail("option '--dump-frames=' needs a directory after '='");
            options->dump = true;
            options->dumpDirectory = inlineValue ? argv[i] + eq + 1 : nullptr;
            continue;
        }
        const std::string_view valued[] = {"--frames", "--clock", "--keys", "--pointer", "--scene", "--audio",
                                           "--scale", "--scale-mode", "--screenshot-scale", "--capture-dir",
                                           "--dump-format", "--record"};
        bool takesValue = false;
        for (const std::string_view v : valued) takesValue = takesValue || name == v;
        if (!takesValue) return p.fail("unknown option '" + std::string(name) + "' (try --help)");
        const char* valueText = inlineValue ? argv[i] + eq + 1 : nullptr;
        if (!inlineValue) {
            if (i + 1 >= argc || argv[i + 1] == nullptr) return p.fail("option '" + std::string(name) + "' needs a value");
            valueText = argv[++i];
            value = valueText;
        }
        if (isPresentationOption(name)) {
            if (!parsePresentation(p, name, value, valueText, options)) return false;
        } else if (name == "--frames") {
            if (!readUnsigned(value, &options->frames) || options->frames == 0)
                return p.fail("bad value '" + std::string(value) + "' for --frames: want a number from 1");
        } else if (name == "--clock") {
            if (value == "real") options->clock = HOST_CLOCK::REAL;
            else if (value == "virtual") options->clock = HOST_CLOCK::VIRTUAL;
            else return p.fail("bad value '" + std::string(value) + "' for --clock: want real or virtual");
            options->clockGiven = true;
        } else if (name == "--keys") {
            if (!parseKeys(p, value, &options->keys)) return false;
            options->keysGiven = true;
        } else if (name == "--pointer") {
            if (!parsePointer(p, value, &options->pointer)) return false;
            options->pointerGiven = true;
        } else if (name == "--audio") {
            if (value.empty()) return p.fail("option '--audio' needs a file name");
            options->audioFile = valueText;
        } else {
            if (value.empty()) return p.fail("option '--scene' needs a scene name or index");
            options->scene = valueText;
        }
    }
    if (!options->headless) {
        if (options->clockGiven) return p.fail("--clock works only with --headless");
        if (options->keysGiven) return p.fail("--keys works only with --headless");
        if (options->pointerGiven) return p.fail("--pointer works only with --headless");
    } else {
        if (options->fullscreen) return p.fail("--fullscreen works only with a window");
    }
    if (options->dumpFormat != 0 && !options->dump) return p.fail("--dump-format works only with --dump-frames");
    return true;
}

namespace {

bool endsWithNoCase(std::string_view s, std::string_view ending)
{
    if (s.size() < ending.size()) return false;
    for (std::size_t i = 0; i < ending.size(); ++i) {
        char c = s[s.size() - ending.size() + i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != ending[i]) return false;
    }
    return true;
}

// --dump-frames=DIR writes DIR/frame-00001.ppm...; a value ending in .png or
// .ppm names the files instead: out/shot.png gives out/shot-00001.png...
// Returns 0, or the exit status after printing the line.
int setUpDump(const WINMAIN_OPTIONS& options)
{
    std::string folder = options.dumpDirectory != nullptr ? options.dumpDirectory : ".";
    std::string prefix = "frame";
    bool png = options.dumpFormat == 2;
    const bool namesPng = endsWithNoCase(folder, ".png");
    if (namesPng || endsWithNoCase(folder, ".ppm")) {
        if (options.dumpFormat != 0 && png != namesPng) {
            std::fprintf(stderr, "qorn7316: --dump-frames=%s and --dump-format %s disagree\n", folder.c_str(), png ? "png" : "ppm");
            return 2;
        }
        png = namesPng;
        const std::size_t slash = folder.rfind('/');
        prefix = folder.substr(slash == std::string::npos ? 0 : slash + 1);
        prefix.resize(prefix.size() - 4);
        folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : folder.substr(0, slash));
        if (prefix.empty()) {
            std::fprintf(stderr, "qorn7316: --dump-frames=%s: no name before the ending\n", options.dumpDirectory);
            return 2;
        }
    }
    if (png && !PNG_available()) {
        std::fputs("qorn7316: this build cannot write PNG files (libpng was not found); use --dump-format ppm\n", stderr);
        return 1;
    }
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec || !std::filesystem::is_directory(folder, ec)) {
        std::fprintf(stderr, "qorn7316: cannot make the frame directory '%s'\n", folder.c_str());
        return 1;
    }
    if (!WINDPY_dumpTo(folder.c_str()) || !WINDPY_dumpAs(prefix.c_str(), png)) {
        std::fprintf(stderr, "qorn7316: frame file name too long\n");
        return 2;
    }
    return 0;
}

// The exit step of a recording run: the file is finished whatever ended the
// run; a failure nobody has reported yet turns status 0 into 1.
int finishRecording(int status)
{
    if (RECORD_close()) return status;
    if (status == 0) std::fprintf(stderr, "qorn7316: the recording could not be written completely: %s\n", RECORD_error());
    return status == 0 ? 1 : status;
}

}  // namespace

int WINMAIN_run(int argc, const char* const* argv, const HOST_BACKEND* window, bool (*openSoundDevice)())
{
    WINMAIN_OPTIONS options;
    char error[512];
    if (!WINMAIN_parse(argc, argv, &options, error, sizeof error)) {
        std::fprintf(stderr, "qorn7316: %s\n", error);
        return 2;
    }
    if (options.help) {
        WINMAIN_usage(stdout);
        return 0;
    }
    if (options.listScenes) {
        QORN7316_listScenes(stdout);
        return 0;
    }
    if (options.bench) {
        HOST_useHeadless(HOST_CLOCK::REAL);
        if (!HOST_start()) return 1;
        QORN7316_init();
        HOST_exit(QORN7316_bench(stdout));
    }
    std::int32_t scene = -1;
    if (options.scene != nullptr) {
        scene = QORN7316_findScene(options.scene);
        if (scene < 0) {
            std::fprintf(stderr, "qorn7316: no scene '%s' (see --list-scenes)\n", options.scene);
            return 2;
        }
    }
    if (options.dump) {
        if (const int status = setUpDump(options); status != 0) return status;
    }
    const std::int32_t scale = options.scale > 0 ? options.scale : 1;
    HOST_setPresentation(HOST_PRESENTATION{scale, options.fullscreen, options.scaleMode});
    CAPTURE_setScale(options.screenshotScale > 0 ? options.screenshotScale : 1);
    CAPTURE_setFolder(options.captureFolder);
    if (options.captureFolder != nullptr) {
        std::error_code ec;
        std::filesystem::create_directories(options.captureFolder, ec);
        if (ec || !std::filesystem::is_directory(options.captureFolder, ec)) {
            std::fprintf(stderr, "qorn7316: cannot make the screenshot folder '%s'\n", options.captureFolder);
            return 1;
        }
    }
    if (options.recordFile != nullptr && !RECORD_available()) {
        std::fputs("qorn7316: this build cannot record (FFmpeg's libraries were not found)\n", stderr);
        return 1;
    }
    if (options.headless) {
        HOST_useHeadless(options.clock);
    } else if (window == nullptr) {
        std::fputs("qorn7316: this build has no window support; run it with --headless\n", stderr);
        return 1;
    } else {
        HOST_useWindow(window);
    }
    if (!HOST_start()) {
        std::fputs("qorn7316: cannot open a window (no display found); try --headless\n", stderr);
        return 1;
    }
    // A recording takes every frame shown and every value heard; headless
    // frames follow each other exactly, a window's are placed by the clock.
    if (options.recordFile != nullptr) {
        char error[600];
        const RECORD_TIMING timing = options.headless ? RECORD_TIMING::EXACT : RECORD_TIMING::CLOCK;
        if (!RECORD_open(options.recordFile, 256, 256, scale, timing, HOST_ticks(), error, sizeof error)) {
            std::fprintf(stderr, "qorn7316: cannot record: %s\n", error);
            HOST_exit(1);
        }
        HOST_onExit(finishRecording);
        PLAYER_listen(RECORD_sound);
    }
    // Sound: a file when asked, else the device of a window run; a run
    // without a device (or with --mute) goes on silently. A headless
    // recording without a sound file still renders the sound in step.
    if (!options.mute && options.audioFile != nullptr) {
        if (!PLAYER_openHeadless(options.audioFile, HOST_ticks, HOST_sleep)) {
            std::fprintf(stderr, "qorn7316: cannot write the sound file '%s'\n", options.audioFile);
            HOST_exit(1);
        }
    } else if (!options.mute && !options.headless && openSoundDevice != nullptr) {
        openSoundDevice();
    } else if (!options.mute && options.headless && options.recordFile != nullptr) {
        PLAYER_openClocked(HOST_ticks, HOST_sleep);
    }
    HOST_setFrameLimit(options.frames);
    HOST_scriptKeys(options.keys);
    HOST_scriptPointer(options.pointer);
    QORN7316_trace = options.trace ? 1 : 0;
    QORN7316_onlyScene = scene;
    QORN7316_main();
    HOST_exit(1);   // the driver never returns; if it does, the entry ends the process with status 1
}
