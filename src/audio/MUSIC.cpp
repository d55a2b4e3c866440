// MUSIC: the instrument bank, the mix and the five voice patterns. A pattern
// builds its copies from index 0 of the voice and rotates the whole voice at
// the end, so copies that pass the end of the second wrap to its start.
#include "audio/MUSIC.h"

#include <cstdio>
#include <new>

#include "audio/SOUND.h"
#include "foundation/RANDOM.h"

const MODID MUSIC_ID = MODID_CODE("MUSIC   ");
std::uint8_t MUSIC_debug = 0;

namespace {

// A pattern's common start: a cleared voice as long as the mix, then the
// instrument and offset draws. False (voice cleared, nothing drawn) when the
// bank is empty; false with an error when there is no mix or bank.
bool begin(MUSIC* m, SAMPLE*& instrument, std::int32_t& offset)
{
    if (m == nullptr || m->mix == nullptr || m->instruments == nullptr) { MUSIC_error(); return false; }
    const std::int32_t n = m->mix->count;
    if (m->voice != nullptr && m->voice->count != n) SAMPLE_free(&m->voice);
    if (m->voice == nullptr) {
        m->voice = SAMPLE_new();
        if (m->voice == nullptr) { MUSIC_error(); return false; }
        SAMPLE_setCount(m->voice, n);
        if (m->voice->count != n) { SAMPLE_free(&m->voice); MUSIC_error(); return false; }
    }
    SAMPLE_clear(m->voice);
    if (m->instruments->count == 0) return false;
    const std::int32_t index = RANDOM_rand15() % m->instruments->count;
    instrument = static_cast<SAMPLE*>(LIST_get(m->instruments, index));
    offset = 0;
    for (const int shift : {1, 2, 3, 4}) offset += (RANDOM_rand15() & 1) * (n >> shift);
    return true;
}

// Adds the instrument `copies` times, rotating the voice on by n / spacing
// after each; the voice is ramped down after every copy when fading.
void copies(MUSIC* m, const SAMPLE* instrument, std::int32_t copies, std::int32_t spacing, bool fading)
{
    for (std::int32_t c = 0; c < copies; ++c) {
        SAMPLE_add(m->voice, instrument);
        if (fading) SOUND_rampDown(m->voice);
        SAMPLE_rotateRight(m->voice, m->voice->count / spacing);
    }
}

void scale(MUSIC* m, std::int32_t e)
{
    SAMPLE_multiply(m->voice, 4 - e);
    SAMPLE_shiftRight(m->voice, 2);
}

void repeat(MUSIC* m, bool fading)
{
    SAMPLE* instrument = nullptr;
    std::int32_t offset = 0;
    if (!begin(m, instrument, offset)) return;
    const std::int32_t e = RANDOM_rand15() & 3;
    const std::int32_t reps = 1 << e;
    copies(m, instrument, reps, reps, fading);
    scale(m, e);
    SAMPLE_rotateRight(m->voice, offset);
}

}  // namespace

MUSIC* MUSIC_new()
{
    MUSIC* m = new (std::nothrow) MUSIC{0, 300, SAMPLE_new(), LIST_new(), nullptr};
    if (m != nullptr && m->mix != nullptr) SAMPLE_setCount(m->mix, SOUND_RATE);
    if (m == nullptr || m->mix == nullptr || m->instruments == nullptr || m->mix->count != SOUND_RATE) {
        if (m != nullptr) {
            if (m->mix != nullptr) SAMPLE_free(&m->mix);
            if (m->instruments != nullptr) LIST_free(&m->instruments);
            delete m;
        }
        MUSIC_error();
        return nullptr;
    }
    return m;
}

void MUSIC_free(MUSIC** music)
{
    if (music == nullptr || *music == nullptr) { MUSIC_error(); return; }
    MUSIC* m = *music;
    if (m->mix != nullptr) SAMPLE_free(&m->mix);
    if (m->instruments != nullptr) {
        while (m->instruments->count > 0) {
            SAMPLE* s = static_cast<SAMPLE*>(LIST_pop(m->instruments));
            if (s != nullptr) SAMPLE_free(&s);
        }
        LIST_free(&m->instruments);
    }
    // The voice is the mixer's own buffer too; it is freed with the rest.
    if (m->voice != nullptr) SAMPLE_free(&m->voice);
    delete m;
    *music = nullptr;
}

void MUSIC_addInstrument(MUSIC* m, SAMPLE* sample)
{
    if (m == nullptr || m->instruments == nullptr || sample == nullptr) { MUSIC_error(); return; }
    LIST_push(m->instruments, sample);
}

void MUSIC_tick(MUSIC* m)
{
    if (m == nullptr) { MUSIC_error(); return; }
    if (m->mix != nullptr && m->voice != nullptr) m->tick += 1;
}

void MUSIC_hit(MUSIC* m)
{
    SAMPLE* instrument = nullptr;
    std::int32_t offset = 0;
    if (!begin(m, instrument, offset)) return;
    SAMPLE_add(m->voice, instrument);
    SAMPLE_rotateRight(m->voice, offset);
}

void MUSIC_hitFade(MUSIC* m)
{
    SAMPLE* instrument = nullptr;
    std::int32_t offset = 0;
    if (!begin(m, instrument, offset)) return;
    SAMPLE_add(m->voice, instrument);
    SOUND_rampDown(m->voice);
    SAMPLE_rotateRight(m->voice, offset);
}

void MUSIC_repeat(MUSIC* m)
{
    repeat(m, false);
}

void MUSIC_repeatFade(MUSIC* m)
{
    repeat(m, true);
}

void MUSIC_roll(MUSIC* m)
{
    SAMPLE* instrument = nullptr;
    std::int32_t offset = 0;
    if (!begin(m, instrument, offset)) return;
    const std::int32_t e = RANDOM_rand15() & 3;
    const std::int32_t k = e == 0 ? 5 : (1 << e) - 1;
    copies(m, instrument, k, k + 1, false);
    scale(m, e);
    SAMPLE_rotateRight(m->voice, offset);
}

void MUSIC_blend(MUSIC* m, std::int32_t k)
{
    if (m == nullptr || m->mix == nullptr || m->voice == nullptr || k < 2) { MUSIC_error(); return; }
    SAMPLE_multiply(m->mix, k - 1);
    SAMPLE_add(m->mix, m->voice);
    SAMPLE_divide(m->mix, k);
}

void MUSIC_error()
{
    if (MUSIC_debug != 0) std::fputs("MUSIC ERROR\n", stdout);
}
