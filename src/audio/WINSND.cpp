// WINSND: the one-second WAVE image and its queue. The image's header is
// fixed (an "INFO" block sits between the format and the data); the player
// reads it like any WAVE image and plays from its own copy, so rewriting the
// image never touches what is being heard.
#include "audio/WINSND.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>
#include <span>

#include "foundation/RANDOM.h"
#include "platform/PLAYER.h"

const MODID WINSND_ID = MODID_CODE("WINSND  ");
std::uint8_t WINSND_debug = 0;

namespace {

void put(std::uint8_t* at, std::uint32_t v, int size)
{
    for (int i = 0; i < size; ++i) at[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

void writeHeader(std::uint8_t* image, std::int32_t length)
{
    const auto data = static_cast<std::uint32_t>(2 * length);
    std::memcpy(image, "RIFF", 4);
    put(image + 4, 56 + data, 4);
    std::memcpy(image + 8, "WAVEfmt ", 8);
    put(image + 16, 16, 4);
    put(image + 20, 1, 2);        // PCM
    put(image + 22, 1, 2);        // one channel
    put(image + 24, 44100, 4);
    put(image + 28, 88200, 4);    // bytes per second
    put(image + 32, 2, 2);        // bytes per value
    put(image + 34, 16, 2);
    std::memcpy(image + 36, "INFO", 4);
    put(image + 40, 12, 4);
    std::memcpy(image + 44, "QORNN K *()-", 12);
    std::memcpy(image + 56, "data", 4);
    put(image + 60, data, 4);
}

std::span<const std::uint8_t> imageOf(const WINSND* s)
{
    return {s->image, static_cast<std::size_t>(64 + 2 * s->length)};
}

// Takes the first queued second into the image. Values are clamped to the
// 16-bit range: a mix value past it would otherwise flip sign and crack.
bool takeNext(WINSND* s)
{
    if (s->queue == nullptr) {
        s->queue = LIST_new();
        return false;
    }
    if (s->queue->count == 0) return false;
    s->current = static_cast<SAMPLE*>(LIST_get(s->queue, 0));
    LIST_delete(s->queue, 0);
    if (s->current == nullptr || s->current->count != s->length) return false;
    for (std::int32_t i = 0; i < s->length; ++i) {
        const std::int32_t v = std::clamp(s->current->values[i], -32768, 32767);
        put(s->image + 64 + 2 * i, static_cast<std::uint32_t>(v), 2);
    }
    s->position = 0;
    return true;
}

}  // namespace

WINSND* WINSND_new()
{
    WINSND* s = new (std::nothrow) WINSND{44100, 16, 's', 'l', LIST_new(), nullptr, 0, nullptr, 44100};
    if (s != nullptr) s->image = new (std::nothrow) std::uint8_t[WINSND_IMAGE_BYTES]();
    if (s == nullptr || s->queue == nullptr || s->image == nullptr) {
        if (s != nullptr) {
            if (s->queue != nullptr) LIST_free(&s->queue);
            delete[] s->image;
            delete s;
        }
        WINSND_error();
        return nullptr;
    }
    // Faint noise from -255 to 256 until the first music step.
    for (std::int32_t i = 0; i < s->length; ++i)
        put(s->image + 64 + 2 * i, static_cast<std::uint32_t>((RANDOM_random30() & 0x1ff) - 255), 2);
    writeHeader(s->image, s->length);
    PLAYER_stop();
    PLAYER_loop(imageOf(s));
    return s;
}

void WINSND_free(WINSND** sound)
{
    if (sound == nullptr || *sound == nullptr) { WINSND_error(); return; }
    PLAYER_stop();
    delete[] (*sound)->image;
    if ((*sound)->queue != nullptr) LIST_free(&(*sound)->queue);
    delete *sound;
    *sound = nullptr;
}

bool WINSND_playNext(WINSND* s)
{
    if (s == nullptr || s->image == nullptr) { WINSND_error(); return false; }
    if (!takeNext(s)) return false;
    PLAYER_stop();
    return PLAYER_loop(imageOf(s));
}

bool WINSND_playNextOnce(WINSND* s)
{
    if (s == nullptr || s->image == nullptr) { WINSND_error(); return false; }
    if (!takeNext(s)) return false;
    return PLAYER_playOnce(imageOf(s));
}

void WINSND_stop()
{
    PLAYER_stop();
}

void WINSND_error()
{
    if (WINSND_debug != 0) std::fputs("WINSND error\n", stdout);
}
