// WORDZOOM: the zoom of the newest letter follows the reveal counter, so
// its eight copies close in on the letter's place as the counter runs down.
#include "vector/WORDZOOM.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "foundation/INT.h"
#include "foundation/RANDOM.h"
#include "vector/OBJ2D.h"

const MODID WORDZOOM_ID = MODID_CODE("WORDZOOM");
std::uint8_t WORDZOOM_debug = 0;

const char WORDZOOM_words[] =
    "QORN\nMUSIC\nPIXELS\nRHYTHM\nCOLOUR\nRAINBOW\nSUNNY\nWEEKEND\nCOFFEE\nGARDEN\nHOLIDAY\nFRIENDS\nDANCE\n"
    "RAIN\nBICYCLE\nKITCHEN\nBOOKS\nMARKET\nCONCERT\nPARTY\nPICNIC\nSUMMER\nWINTER\n2016\nTRAVEL\nFOOTBALL\n";
static_assert(sizeof(WORDZOOM_words) - 1 == 180);

void WORDZOOM_error()
{
    if (WORDZOOM_debug != 0) std::fputs("WORDZOOM error\n", stdout);
}

namespace {

constexpr std::int32_t COPIES = 8;
constexpr std::int32_t LETTER_SCALE = 2;

void freeWords(LIST* words)
{
    for (std::int32_t i = 0; i < words->count; ++i) std::free(words->items[i]);
}

// The non-empty lines of text, or null when there are none.
LIST* splitLines(const char* text)
{
    LIST* words = LIST_new();
    if (words == nullptr) return nullptr;
    for (const char* p = text; *p != '\0';) {
        const char* end = p;
        while (*end != '\0' && *end != '\n') ++end;
        std::size_t n = static_cast<std::size_t>(end - p);
        if (n > WORDZOOM_MAX_LETTERS) n = WORDZOOM_MAX_LETTERS;
        if (n > 0) {
            char* word = static_cast<char*>(std::malloc(n + 1));
            const std::int32_t before = words->count;
            if (word != nullptr) {
                std::memcpy(word, p, n);
                word[n] = '\0';
                LIST_push(words, word);
            }
            if (words->count == before) {
                std::free(word);
                freeWords(words);
                LIST_free(&words);
                return nullptr;
            }
        }
        p = *end == '\n' ? end + 1 : end;
    }
    if (words->count == 0) LIST_free(&words);
    return words;
}

const char* currentWord(const WORDZOOM* z)
{
    if (z->words == nullptr || z->current < 0 || z->current >= z->words->count) return "";
    return static_cast<const char*>(z->words->items[z->current]);
}

std::int32_t cellOf(const WORDZOOM* z)
{
    return (z->font != nullptr && z->font->size != nullptr) ? z->font->size->x : 16;
}

// One letter at scale s, its cell centred on (cx, cy), in its own colour.
void drawLetter(LFONT* f, char letter, std::uint32_t colour, std::int32_t s, std::int64_t cx, std::int64_t cy)
{
    const std::int32_t code = static_cast<signed char>(letter);
    if (f->glyphs != nullptr && code >= 0 && code < f->glyphs->count && f->glyphs->items[code] != nullptr)
        OBJ2D_setColor(static_cast<OBJ2D*>(f->glyphs->items[code]), colour);
    f->scale->x = s;
    f->scale->y = s;
    f->position->x = INT_wrap64(cx - std::int64_t{s} * f->size->x / 2);
    f->position->y = INT_wrap64(cy - std::int64_t{s} * f->size->y / 2);
    f->code = code;
    LFONT_drawChar(f);
}

}  // namespace

WORDZOOM* WORDZOOM_new()
{
    WORDZOOM* z = new (std::nothrow) WORDZOOM{};
    if (z == nullptr) { WORDZOOM_error(); return nullptr; }
    z->width = 256;
    z->height = 256;
    z->delay = 8;
    z->current = -1;
    WORDZOOM_setText(z, WORDZOOM_words);
    if (z->words == nullptr) {
        delete z;
        WORDZOOM_error();
        return nullptr;
    }
    return z;
}

void WORDZOOM_free(WORDZOOM** zoom)
{
    if (zoom == nullptr || *zoom == nullptr) { WORDZOOM_error(); return; }
    if ((*zoom)->words != nullptr) {
        freeWords((*zoom)->words);
        LIST_free(&(*zoom)->words);
    }
    delete *zoom;
    *zoom = nullptr;
}

void WORDZOOM_setText(WORDZOOM* zoom, const char* text)
{
    if (zoom == nullptr || text == nullptr) { WORDZOOM_error(); return; }
    LIST* words = splitLines(text);
    if (words == nullptr) { WORDZOOM_error(); return; }
    if (zoom->words != nullptr) {
        freeWords(zoom->words);
        LIST_free(&zoom->words);
    }
    zoom->words = words;
    zoom->current = -1;
    WORDZOOM_next(zoom);
}

void WORDZOOM_next(WORDZOOM* zoom)
{
    if (zoom == nullptr || zoom->words == nullptr || zoom->words->count == 0) { WORDZOOM_error(); return; }
    zoom->current = (zoom->current < 0 || zoom->current >= zoom->words->count - 1) ? 0 : zoom->current + 1;
    const auto letters = static_cast<std::int32_t>(std::strlen(currentWord(zoom)));
    zoom->revealed = 0;
    zoom->letters[0] = '\0';
    zoom->counter = zoom->delay;
    zoom->hold = 0;
    for (std::int32_t i = 0; i < letters; ++i)
        zoom->colors[i] = (static_cast<std::uint32_t>(RANDOM_rand15()) & 0x7f7f7fu) + 0x808080u;
    const std::int64_t span = std::int64_t{letters} * LETTER_SCALE * cellOf(zoom);
    zoom->x = INT_wrap64((zoom->width - span) / 2);
    const std::int32_t third = zoom->height / 3;
    zoom->y = third + (third > 0 ? RANDOM_rand15() % third : 0);
}

void WORDZOOM_step(WORDZOOM* zoom)
{
    if (zoom == nullptr) { WORDZOOM_error(); return; }
    const char* word = currentWord(zoom);
    const auto letters = static_cast<std::int32_t>(std::strlen(word));
    if (zoom->counter > 0) {
        --zoom->counter;
        if (zoom->counter == 0 && zoom->revealed == letters) zoom->hold = COPIES * (zoom->delay > 0 ? zoom->delay : 1);
        return;
    }
    if (zoom->revealed < letters) {
        zoom->letters[zoom->revealed] = word[zoom->revealed];
        ++zoom->revealed;
        zoom->letters[zoom->revealed] = '\0';
        zoom->counter = zoom->delay > 0 ? zoom->delay : 0;
        if (zoom->counter == 0 && zoom->revealed == letters) zoom->hold = COPIES;
        return;
    }
    if (zoom->hold > 0) --zoom->hold;
    if (zoom->hold == 0) WORDZOOM_next(zoom);
}

void WORDZOOM_draw(WORDZOOM* zoom, IMG* image)
{
    if (zoom == nullptr || image == nullptr || zoom->font == nullptr || zoom->font->position == nullptr
        || zoom->font->scale == nullptr || zoom->font->size == nullptr) {
        WORDZOOM_error();
        return;
    }
    LFONT* f = zoom->font;
    f->target = image;
    f->angle = 0;
    const std::int64_t cell = f->size->x;
    const std::int64_t cy = std::int64_t{zoom->y} + f->size->y;
    for (std::int32_t i = 0; i < zoom->revealed; ++i) {
        const std::int64_t cx = zoom->x + (2 * i + 1) * cell;
        const bool flying = i == zoom->revealed - 1 && zoom->counter > 0 && zoom->delay > 0;
        if (flying) {
            for (std::int32_t k = COPIES; k >= 1; --k) {
                const auto s = static_cast<std::int32_t>(LETTER_SCALE + std::int64_t{k} * zoom->counter / zoom->delay);
                drawLetter(f, zoom->letters[i], zoom->colors[i], s, cx, cy);
            }
        } else {
            drawLetter(f, zoom->letters[i], zoom->colors[i], LETTER_SCALE, cx, cy);
        }
    }
}
