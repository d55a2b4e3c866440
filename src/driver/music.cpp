// Sound output, the instrument bank and the music step that lays a new
// one-second loop at every scene start. The bank's seven groups are the
// demo's fixed recipes; each instrument is shown as it is made when there is
// a frame to draw it in.
#include "driver/QORN7316_state.h"

#include "audio/SAM.h"
#include "audio/SAMDRAW.h"
#include "audio/SOUND.h"

WINSND* sound = nullptr;
MUSIC* music = nullptr;

namespace {

// fade(S) of the recipes: k ramps down give a (1 - t)^k envelope.
void fade(SAMPLE* s, int times)
{
    for (int i = 0; i < times; ++i) SOUND_rampDown(s);
}

// sine/square/noise(S, f), then add(T, S) after shifting S right by shift.
void addSine(SAMPLE* t, SAMPLE* s, std::int32_t f, std::int32_t shift)
{
    SOUND_sine(s, f);
    SAMPLE_shiftRight(s, shift);
    SAMPLE_add(t, s);
}

void addNoise(SAMPLE* t, SAMPLE* s, std::int32_t rate, std::int32_t shift, int fades)
{
    SOUND_noise(s, rate);
    SAMPLE_shiftRight(s, shift);
    fade(s, fades);
    SAMPLE_add(t, s);
}

void addSquare(SAMPLE* t, SAMPLE* s, std::int32_t f)
{
    SOUND_square(s, f);
    SAMPLE_add(t, s);
}

// The waveform display of start-up: dark blue, white wave, red markers.
struct Show {
    SAM* sam = nullptr;
    SAMDRAW* drawer = nullptr;

    void instrument(SAMPLE* t)
    {
        if (frame == nullptr) return;
        SAM_setSample(sam, t);
        drawer->first = 0;
        drawer->last = t->count - 1;
        SAMDRAW_draw(drawer);
        SAMDRAW_drawPeaks(drawer);
        WINDPY_show(display, frame);
    }
};

// One group: for each n, T of the group's length built by the recipe, then
// added to the bank and shown. S, the scratch sample, has the same length.
template <typename Recipe>
bool group(Show& show, SAMPLE* s, std::int32_t from, std::int32_t to, std::int32_t length, Recipe recipe)
{
    SAMPLE_setCount(s, length);
    if (s->count != length) return false;
    for (std::int32_t n = from; n <= to; ++n) {
        SAMPLE* t = SAMPLE_new();
        if (t == nullptr) return false;
        SAMPLE_setCount(t, length);
        if (t->count != length) { SAMPLE_free(&t); return false; }
        recipe(t, n, SOUND_note(n));
        MUSIC_addInstrument(music, t);
        show.instrument(t);
    }
    return true;
}

bool makeBank(Show& show, SAMPLE* s)
{
    return group(show, s, 0, 23, 22050, [&](SAMPLE* t, std::int32_t n, std::int32_t f) {   // soft sine organs
               SOUND_sine(t, f);
               addSine(t, s, 2 * f, 1);
               addSine(t, s, 4 * f, 2);
               SAMPLE_normalize(t, 32000 - 1200 * n);
               fade(t, 1);
           })
        && group(show, s, 0, 11, 22050, [&](SAMPLE* t, std::int32_t n, std::int32_t f) {   // sine-plus-noise plucks
               SOUND_sine(t, f);
               fade(t, 8);
               addNoise(t, s, 16 * f, 0, 24);
               SAMPLE_normalize(t, 30000 - 200 * n);
               fade(t, 1);
           })
        && group(show, s, 36, 47, 22050, [&](SAMPLE* t, std::int32_t n, std::int32_t f) {  // square-plus-noise drums
               SOUND_square(t, f);
               SAMPLE_shiftRight(t, 2);
               fade(t, 1);
               addNoise(t, s, f / 4, 4, 1);
               addNoise(t, s, f / 2, 2, 1);
               addNoise(t, s, 4 * f, 0, 4);
               addNoise(t, s, 8 * f, 0, 5);
               SAMPLE_normalize(t, 28000 - 400 * n);
               fade(t, 5);
           })
        && group(show, s, 84, 95, 11025, [&](SAMPLE* t, std::int32_t n, std::int32_t f) {  // high noisy clicks
               SOUND_square(t, f);
               addNoise(t, s, 44100, 0, 0);
               addNoise(t, s, 22050, 0, 0);
               SAMPLE_shiftRight(t, 2);
               SAMPLE_normalize(t, 8000 - 20 * n);
               fade(t, 5);
           })
        && group(show, s, 12, 23, 44100, [&](SAMPLE* t, std::int32_t n, std::int32_t f) {  // square organs
               SOUND_square(t, f);
               addSquare(t, s, 2 * f);
               addSquare(t, s, 4 * f);
               SAMPLE_normalize(t, 12000 - 500 * n);
               fade(t, 1);
           })
        && group(show, s, 24, 35, 88200, [&](SAMPLE* t, std::int32_t n, std::int32_t f) {  // sine chords
               SOUND_sine(t, f);
               for (const std::int32_t d : {4, 7, -5, -8, -12}) addSine(t, s, SOUND_note(n + d), 0);
               SAMPLE_normalize(t, 32000 - 400 * n);
               fade(t, 1);
           })
        && group(show, s, 36, 47, 44100, [&](SAMPLE* t, std::int32_t n, std::int32_t f) {  // square chords
               SOUND_square(t, f);
               for (const std::int32_t d : {5, 9, -3, -7, -12}) addSquare(t, s, SOUND_note(n + d));
               SAMPLE_normalize(t, 16000 - 300 * n);
               fade(t, 1);
           });
}

}  // namespace

void QORN7316_makeSound()
{
    sound = WINSND_new();
}

void QORN7316_makeInstruments()
{
    music = MUSIC_new();
    if (music == nullptr) { QORN7316_error(); return; }
    music->period = 1;
    Show show;
    show.sam = SAM_new();
    show.drawer = SAMDRAW_new();
    show.drawer->sam = show.sam;
    show.drawer->target = frame;
    show.drawer->background = 0x000080;
    show.drawer->waveColor = 0xFFFFFF;
    show.drawer->markColor = 0xF00000;
    SAMPLE* s = SAMPLE_new();
    if (s == nullptr || !makeBank(show, s)) QORN7316_error();
    // The display record only borrowed the bank's samples.
    SAM_setSample(show.sam, nullptr);
    SAM_free(&show.sam);
    SAMDRAW_free(&show.drawer);
    if (s != nullptr) SAMPLE_free(&s);
    QORN7316_musicStep();
}

void QORN7316_musicStep()
{
    if (musicOff != 0 || music == nullptr || sound == nullptr) return;
    MUSIC_tick(music);
    for (int i = 0; i < 8; ++i) {
        QORN7316_musicVoice();
        if (music->voice != nullptr) SAMPLE_add(music->mix, music->voice);
    }
    SAMPLE_divide(music->mix, 8);
    if (sound->queue != nullptr && sound->queue->count < 4) LIST_push(sound->queue, music->mix);
    WINSND_playNext(sound);
}

void QORN7316_musicVoice()
{
    if (music == nullptr || sound == nullptr || musicOff != 0) return;
    // A period below 1 would divide by zero; it acts like 1.
    if (music->period > 1 && music->tick % music->period != 0) return;
    switch (RANDOM_random30() & 7) {
    case 0: MUSIC_hit(music); break;
    case 1: MUSIC_hitFade(music); break;
    case 2: MUSIC_roll(music); break;
    case 3: MUSIC_repeatFade(music); break;
    default: MUSIC_repeat(music); break;
    }
}
