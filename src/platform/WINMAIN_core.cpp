// WINMAIN: the window procedure, the message pump and the
// entry that starts the demo driver. The pump runs on the demo's own thread
// between frames; the window procedure only keeps the last key, snaps the
// window back to its size and ends the process when the window is closed.
#include "platform/WINMAIN.h"

#include <unistd.h>

#include <filesystem>
#include <string>
#include <system_error>

#include "driver/OPTIONS.h"
#include "driver/PROGRESS.h"
#include "driver/QORN7316.h"
#include "platform/CAPTURE.h"
#include "platform/PLAYER.h"
#include "platform/RECORD.h"
#include "platform/WINDPY.h"
#include "raster/PIXSPAN.h"
#include "raster/PNG.h"

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
            else if (!WINMAIN_volumeKey(events[i].key)) WINMAIN_windowProc(WINMAIN_KEYDOWN, events[i].key);
            break;
        case HOST_RESIZE: WINMAIN_windowProc(WINMAIN_SIZE, 0); break;
        case HOST_CLOSE: WINMAIN_windowProc(WINMAIN_DESTROY, 0); break;
        default: break;
        }
    }
}

// The volume keys act on the sound device at once, paused or not, and never
// reach the demo's key handler.
bool WINMAIN_volumeKey(std::int32_t key)
{
    switch (key) {
    case WINMAIN_VOLUME_DOWN: PLAYER_setVolume(PLAYER_volume() - PLAYER_VOLUME_STEP); return true;
    case WINMAIN_VOLUME_UP: PLAYER_setVolume(PLAYER_volume() + PLAYER_VOLUME_STEP); return true;
    case WINMAIN_MUTE: PLAYER_setMuted(!PLAYER_muted()); return true;
    default: return false;
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

bool endsWithNoCase(const std::string& s, const std::string& ending)
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
int setUpDump(const OPTIONS& options)
{
    std::string folder = options.dumpDirectory;
    std::string prefix = "frame";
    bool png = options.dumpFormat == OPTIONS_DUMP_PNG;
    const bool namesPng = endsWithNoCase(folder, ".png");
    if (namesPng || endsWithNoCase(folder, ".ppm")) {
        if (options.dumpFormat != OPTIONS_DUMP_DEFAULT && png != namesPng) {
            OPTIONS_usageError(stderr, "--dump-frames=" + folder + " and --dump-format " + (png ? "png" : "ppm") + " disagree");
            return 2;
        }
        png = namesPng;
        const std::size_t slash = folder.rfind('/');
        prefix = folder.substr(slash == std::string::npos ? 0 : slash + 1);
        prefix.resize(prefix.size() - 4);
        folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : folder.substr(0, slash));
        if (prefix.empty()) {
            OPTIONS_usageError(stderr, "--dump-frames=" + options.dumpDirectory + ": no name before the ending");
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
        OPTIONS_usageError(stderr, "frame file name too long");
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
    OPTIONS options;
    std::string error;
    if (!OPTIONS_parse(argc, argv, &options, &error)) {
        OPTIONS_usageError(stderr, error);
        return 2;
    }
    if (!PIXSPAN_useEnvironment()) return 2;
    if (options.help) {
        OPTIONS_help(stdout);
        return HOST_finishOutput(0);
    }
    if (options.version) {
        OPTIONS_printVersion(stdout);
        return HOST_finishOutput(0);
    }
    if (options.listScenes) {
        QORN7316_listScenes(stdout);
        return HOST_finishOutput(0);
    }
    if (options.bench) {
        HOST_useHeadless(HOST_CLOCK::REAL);
        if (!HOST_start()) return 1;
        QORN7316_init();
        HOST_exit(QORN7316_bench(stdout));
    }
    std::int32_t scene = -1;
    if (!options.scene.empty()) {
        scene = QORN7316_findScene(options.scene.c_str());
        if (scene < 0) {
            OPTIONS_usageError(stderr, "no scene '" + options.scene + "' (see --list-scenes)");
            return 2;
        }
    }
    if (options.dump) {
        if (const int status = setUpDump(options); status != 0) return status;
    }
    HOST_setPresentation(HOST_PRESENTATION{options.scale, options.fullscreen, options.scaleMode});
    CAPTURE_setScale(options.screenshotScale);
    if (!options.captureFolder.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(options.captureFolder, ec);
        if (ec || !std::filesystem::is_directory(options.captureFolder, ec)) {
            std::fprintf(stderr, "qorn7316: cannot make the screenshot folder '%s'\n", options.captureFolder.c_str());
            return 1;
        }
        CAPTURE_setFolder(options.captureFolder.c_str());
    }
    if (!options.recordFile.empty() && !RECORD_available()) {
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
    if (!options.recordFile.empty()) {
        char recordError[600];
        const RECORD_TIMING timing = options.headless ? RECORD_TIMING::EXACT : RECORD_TIMING::CLOCK;
        if (!RECORD_open(options.recordFile.c_str(), 256, 256, options.scale, timing, HOST_ticks(), recordError,
                         sizeof recordError)) {
            std::fprintf(stderr, "qorn7316: cannot record: %s\n", recordError);
            HOST_exit(1);
        }
        HOST_setExitStep(finishRecording);
        HOST_stopOnSignals();   // Ctrl+C still leaves a finished file
        PLAYER_listen(RECORD_sound);
    }
    // Sound: a file when asked, else the device of a window run; a run
    // without a device (or with --mute) goes on silently. A headless
    // recording without a sound file still renders the sound in step.
    if (!options.mute && !options.audioFile.empty()) {
        if (!PLAYER_openHeadless(options.audioFile.c_str(), HOST_ticks, HOST_sleep)) {
            std::fprintf(stderr, "qorn7316: cannot write the sound file '%s'\n", options.audioFile.c_str());
            HOST_exit(1);
        }
    } else if (!options.mute && !options.headless && openSoundDevice != nullptr) {
        openSoundDevice();
    } else if (!options.mute && options.headless && !options.recordFile.empty()) {
        PLAYER_openClocked(HOST_ticks, HOST_sleep);
    }
    PLAYER_setVolume(options.volume);
    HOST_setFrameLimit(options.frames);
    if (PROGRESS_wanted(&options, ::isatty(STDERR_FILENO) == 1)) {
        PROGRESS_start(options.frames);
        HOST_onPresent(PROGRESS_frame);
        HOST_onExit(PROGRESS_finish);
    }
    HOST_scriptKeys(options.keys);
    HOST_scriptPointer(options.pointer);
    QORN7316_trace = options.trace ? 1 : 0;
    QORN7316_onlyScene = scene;
    QORN7316_main();
    HOST_exit(1);   // the driver never returns; if it does, the entry ends the process with status 1
}
