// PLAYER: the portable half of the sound player and its headless back end.
// Two voices make every change smooth: the sound that starts fades in while
// the one it replaces fades out. Buffers are built and freed on the program's
// thread; the render step (run on the audio thread by the SDL2 back end) only
// reads them, under the back end's lock.
#include "platform/PLAYER.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <utility>

const MODID PLAYER_ID = MODID_WINDOWS("PLAYER  ");
std::uint8_t PLAYER_debug = 0;

namespace {

using Buffer = std::vector<std::int16_t>;

struct Voice {
    const std::int16_t* data = nullptr;
    std::int32_t length = 0;
    std::int32_t position = 0;
    std::int32_t ramp = 0;   // values of fade left
    bool loop = false;
    bool active = false;
};

Voice current;                      // fades in while ramp > 0
Voice outgoing;                     // fades out over its ramp, then stops
std::unique_ptr<Buffer> currentBuffer;
std::unique_ptr<Buffer> outgoingBuffer;
const PLAYER_BACKEND* backend = nullptr;
std::atomic<void (*)(const std::int16_t*, std::int32_t)> listener{nullptr};

// The device's gain in 1/10000ths, read by the audio thread. Loudness follows
// the square of the volume, so equal steps sound about equally large.
std::atomic<std::int32_t> volumePercent{100};
std::atomic<bool> mutedNow{false};
std::atomic<std::int32_t> gain{10000};

void updateGain()
{
    const std::int32_t v = volumePercent.load();
    gain.store(mutedNow.load() ? 0 : v * v);
}

// Longest image accepted: one hour of sound after conversion.
constexpr std::uint64_t maxValues = 3600ull * PLAYER_RATE;
// Slowest rate accepted. Conversion repeats values, so this bounds what a
// small image can make: at most 5.5 values, 11 bytes, per byte of data.
constexpr std::uint32_t minRate = 8000;

std::uint32_t little(std::span<const std::uint8_t> b, std::size_t at, int size)
{
    std::uint32_t v = 0;
    for (int i = size - 1; i >= 0; --i) v = (v << 8) | b[at + static_cast<std::size_t>(i)];
    return v;
}

void lock()
{
    if (backend != nullptr) backend->lock();
}

void unlock()
{
    if (backend != nullptr) backend->unlock();
}

// Moves the playing sound to the fading voice, starting its fade at the gain
// it has now. The buffer it replaces is handed back to be freed unlocked.
std::unique_ptr<Buffer> stopLocked()
{
    if (!current.active) return nullptr;
    std::unique_ptr<Buffer> retired = std::move(outgoingBuffer);
    outgoing = current;
    outgoing.ramp = PLAYER_FADE - current.ramp;
    outgoing.active = outgoing.ramp > 0;
    outgoingBuffer = std::move(currentBuffer);
    current.active = false;
    return retired;
}

bool start(std::span<const std::uint8_t> wave, bool loop, std::size_t& length)
{
    auto buffer = std::make_unique<Buffer>();
    if (!PLAYER_decode(wave, *buffer)) return false;
    length = buffer->size();
    if (buffer->empty()) { PLAYER_stop(); return true; }
    lock();
    std::unique_ptr<Buffer> retired = stopLocked();
    std::unique_ptr<Buffer> unused = std::move(currentBuffer);
    current = Voice{buffer->data(), static_cast<std::int32_t>(buffer->size()), 0, PLAYER_FADE, loop, true};
    currentBuffer = std::move(buffer);
    unlock();
    return true;
}

std::int32_t next(Voice& v)
{
    const std::int32_t value = v.data[v.position];
    if (++v.position == v.length) {
        v.position = 0;
        v.active = v.loop;
    }
    return value;
}

// Headless back end: the file holds what would be heard, one value per
// 1/44100 s of the clock since it was opened. Values are rendered lazily,
// whenever the playing state is about to change and at the end.
struct Headless {
    bool open = false;
    std::FILE* file = nullptr;   // null: rendered for the listener only
    std::uint32_t (*ticks)() = nullptr;
    void (*sleep)(std::uint32_t) = nullptr;
    std::uint32_t origin = 0;
    std::uint64_t written = 0;   // values in the file
    bool failed = false;
};

Headless headless;
bool writeFailed = false;   // sticky: the exit status reports it

// Data bytes a WAVE header can count, kept well inside 32 bits.
constexpr std::uint64_t maxFileValues = 0x7FFFFFFFull / 2;

void putHeader(std::FILE* f, std::uint32_t values)
{
    const std::uint32_t bytes = values * 2;
    std::array<std::uint8_t, 44> h{};
    auto put = [&](std::size_t at, std::uint32_t v, int size) {
        for (int i = 0; i < size; ++i) h[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    std::memcpy(&h[0], "RIFF", 4);
    put(4, 36 + bytes, 4);
    std::memcpy(&h[8], "WAVEfmt ", 8);
    put(16, 16, 4);
    put(20, 1, 2);
    put(22, 1, 2);
    put(24, PLAYER_RATE, 4);
    put(28, PLAYER_RATE * 2, 4);
    put(32, 2, 2);
    put(34, 16, 2);
    std::memcpy(&h[36], "data", 4);
    put(40, bytes, 4);
    if (std::fwrite(h.data(), 1, h.size(), f) != h.size()) headless.failed = true;
}

void headlessCatchUp()
{
    if (!headless.open) return;
    // 44.1 values per millisecond, from the whole elapsed time each time, so
    // the fraction is carried and a long run does not drift.
    const std::uint64_t elapsed = static_cast<std::uint32_t>(headless.ticks() - headless.origin);
    const std::uint64_t target = std::min(elapsed * 441 / 10, maxFileValues);
    std::array<std::int16_t, 4096> values{};
    std::array<std::uint8_t, 8192> bytes{};
    while (headless.written < target) {
        const auto n = static_cast<std::int32_t>(std::min<std::uint64_t>(values.size(), target - headless.written));
        PLAYER_render(values.data(), n);
        headless.written += static_cast<std::uint64_t>(n);
        if (headless.file == nullptr) continue;
        for (std::int32_t i = 0; i < n; ++i) {
            const auto v = static_cast<std::uint16_t>(values[static_cast<std::size_t>(i)]);
            bytes[2 * static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v);
            bytes[2 * static_cast<std::size_t>(i) + 1] = static_cast<std::uint8_t>(v >> 8);
        }
        if (std::fwrite(bytes.data(), 2, static_cast<std::size_t>(n), headless.file) != static_cast<std::size_t>(n))
            headless.failed = true;
    }
}

void headlessUnlock() {}

void headlessWait(std::uint32_t ms)
{
    headless.sleep(ms);
}

void headlessClose()
{
    if (!headless.open) return;
    headlessCatchUp();
    if (headless.file == nullptr) {
        headless = Headless{};
        return;
    }
    if (std::fseek(headless.file, 0, SEEK_SET) == 0) putHeader(headless.file, static_cast<std::uint32_t>(headless.written));
    else headless.failed = true;
    if (std::fclose(headless.file) != 0) headless.failed = true;
    if (headless.failed) {
        std::fputs("qorn7316: the sound file could not be written completely\n", stderr);
        writeFailed = true;
    }
    headless = Headless{};
}

const PLAYER_BACKEND headlessBackend = {headlessCatchUp, headlessUnlock, headlessWait, headlessClose, nullptr};

void closeAtExit()
{
    PLAYER_close();
}

}  // namespace

bool PLAYER_openHeadless(const char* path, std::uint32_t (*ticks)(), void (*sleep)(std::uint32_t))
{
    if (path == nullptr || ticks == nullptr || sleep == nullptr) { PLAYER_error(); return false; }
    PLAYER_close();
    std::FILE* file = std::fopen(path, "wb");
    if (file == nullptr) { PLAYER_error(); return false; }
    headless.open = true;
    headless.file = file;
    headless.ticks = ticks;
    headless.sleep = sleep;
    headless.origin = ticks();
    putHeader(file, 0);
    PLAYER_useBackend(&headlessBackend);
    return true;
}

bool PLAYER_openClocked(std::uint32_t (*ticks)(), void (*sleep)(std::uint32_t))
{
    if (ticks == nullptr || sleep == nullptr) { PLAYER_error(); return false; }
    PLAYER_close();
    headless.open = true;
    headless.ticks = ticks;
    headless.sleep = sleep;
    headless.origin = ticks();
    PLAYER_useBackend(&headlessBackend);
    return true;
}

void PLAYER_listen(void (*l)(const std::int16_t* values, std::int32_t n))
{
    listener.store(l);
}

void PLAYER_sync()
{
    lock();
    unlock();
}

bool PLAYER_writeFailed()
{
    return writeFailed;
}

void PLAYER_useBackend(const PLAYER_BACKEND* b)
{
    static bool registered = false;
    if (!registered && b != nullptr) registered = std::atexit(closeAtExit) == 0;
    backend = b;
}

void PLAYER_close()
{
    const PLAYER_BACKEND* b = backend;
    backend = nullptr;
    if (b != nullptr) b->close();
    current = Voice{};
    outgoing = Voice{};
    currentBuffer.reset();
    outgoingBuffer.reset();
}

void PLAYER_service()
{
    if (backend != nullptr && backend->service != nullptr) backend->service();
}

bool PLAYER_loop(std::span<const std::uint8_t> wave)
{
    std::size_t length = 0;
    return start(wave, true, length);
}

bool PLAYER_playOnce(std::span<const std::uint8_t> wave)
{
    std::size_t length = 0;
    if (!start(wave, false, length)) return false;
    if (backend != nullptr) {
        // Whole milliseconds that cover every value at 44.1 per millisecond.
        backend->wait(static_cast<std::uint32_t>((static_cast<std::uint64_t>(length) * 10 + 440) / 441));
    } else {
        current.active = false;   // nothing renders without a back end
    }
    return true;
}

void PLAYER_stop()
{
    lock();
    std::unique_ptr<Buffer> retired = stopLocked();
    unlock();
}

bool PLAYER_busy()
{
    lock();
    const bool busy = current.active;
    unlock();
    return busy;
}

bool PLAYER_decode(std::span<const std::uint8_t> wave, std::vector<std::int16_t>& out)
{
    out.clear();
    if (wave.size() < 12 || std::memcmp(wave.data(), "RIFF", 4) != 0 || std::memcmp(&wave[8], "WAVE", 4) != 0) {
        PLAYER_error();
        return false;
    }
    // Walk the chunks; each must lie inside the image.
    std::span<const std::uint8_t> format, data;
    bool haveData = false;
    for (std::size_t at = 12; at + 8 <= wave.size();) {
        const std::uint32_t size = little(wave, at + 4, 4);
        if (size > wave.size() - at - 8) { PLAYER_error(); return false; }
        const auto body = wave.subspan(at + 8, size);
        if (std::memcmp(&wave[at], "fmt ", 4) == 0) format = body;
        if (std::memcmp(&wave[at], "data", 4) == 0 && !haveData) { data = body; haveData = true; }
        at += 8 + static_cast<std::size_t>(size) + (size & 1u);
    }
    if (format.size() < 16 || !haveData) { PLAYER_error(); return false; }
    std::uint32_t code = little(format, 0, 2);
    if (code == 0xFFFE && format.size() >= 26) code = little(format, 24, 2);   // extensible: the sub-format
    const std::uint32_t channels = little(format, 2, 2);
    const std::uint32_t rate = little(format, 4, 4);
    const std::uint32_t bits = little(format, 14, 2);
    if (code != 1 || channels == 0 || rate < minRate || (bits != 8 && bits != 16 && bits != 24 && bits != 32)) {
        PLAYER_error();
        return false;
    }
    const std::size_t width = bits / 8;
    const std::size_t frame = width * channels;
    const std::uint64_t frames = data.size() / frame;
    const std::uint64_t values = frames * PLAYER_RATE / rate;
    if (values > maxValues) { PLAYER_error(); return false; }
    // Channels are averaged; other rates are picked nearest below.
    out.resize(static_cast<std::size_t>(values));
    for (std::uint64_t j = 0; j < values; ++j) {
        const std::size_t at = static_cast<std::size_t>(j * rate / PLAYER_RATE) * frame;
        std::int64_t sum = 0;
        for (std::size_t c = 0; c < channels; ++c) {
            const std::uint32_t raw = little(data, at + c * width, static_cast<int>(width));
            std::int32_t v = 0;
            switch (bits) {
            case 8: v = (static_cast<std::int32_t>(raw) - 128) * 256; break;
            case 16: v = static_cast<std::int16_t>(raw); break;
            case 24: v = static_cast<std::int32_t>(raw << 8) >> 16; break;
            default: v = static_cast<std::int32_t>(raw) >> 16; break;
            }
            sum += v;
        }
        out[static_cast<std::size_t>(j)] = static_cast<std::int16_t>(sum / static_cast<std::int64_t>(channels));
    }
    return true;
}

void PLAYER_render(std::int16_t* out, std::int32_t n)
{
    if (out == nullptr) return;
    for (std::int32_t i = 0; i < n; ++i) {
        std::int32_t sum = 0;
        if (current.active) {
            const std::int32_t ramp = current.ramp;
            std::int32_t v = next(current);
            if (ramp > 0) {
                v = v * (PLAYER_FADE - ramp) / PLAYER_FADE;
                current.ramp -= 1;
            }
            sum += v;
        }
        if (outgoing.active) {
            sum += next(outgoing) * outgoing.ramp / PLAYER_FADE;
            outgoing.ramp -= 1;
            if (outgoing.ramp <= 0) outgoing.active = false;
        }
        out[i] = static_cast<std::int16_t>(std::clamp(sum, -32768, 32767));
    }
    if (auto* l = listener.load(); l != nullptr && n > 0) l(out, n);
}

void PLAYER_setVolume(std::int32_t percent)
{
    volumePercent.store(std::clamp(percent, 0, 100));
    updateGain();
}

std::int32_t PLAYER_volume()
{
    return volumePercent.load();
}

void PLAYER_setMuted(bool muted)
{
    mutedNow.store(muted);
    updateGain();
}

bool PLAYER_muted()
{
    return mutedNow.load();
}

void PLAYER_applyVolume(std::int16_t* out, std::int32_t n)
{
    const std::int32_t g = gain.load();
    if (out == nullptr || g == 10000) return;
    for (std::int32_t i = 0; i < n; ++i) out[i] = static_cast<std::int16_t>(out[i] * g / 10000);
}

void PLAYER_error()
{
    if (PLAYER_debug != 0) std::fputs("PLAYER error\n", stdout);
}
