// OBJ2D: vector objects and the object text parser. The parser keeps its
// sign across calls, as the object texts have always been read that way;
// every other piece of parse state lives in one call.
#include "vector/OBJ2D.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "audio/SAMPLE.h"
#include "foundation/INT.h"

const MODID OBJ2D_ID = MODID_CODE("OBJ2D   ");
std::uint8_t OBJ2D_debug = 0;

void OBJ2D_error()
{
    if (OBJ2D_debug != 0) std::fputs("OBJ2D error\n", stdout);
}

namespace {

__extension__ typedef unsigned __int128 Wide;

std::int32_t parseSign = 1;   // survives from one parse to the next

bool usable(const OBJ2D* o)
{
    return o != nullptr && o->points != nullptr && o->segments != nullptr && o->position != nullptr
        && o->size != nullptr && o->scale != nullptr;
}

VEC2D* pointAt(const OBJ2D* o, std::int32_t i) { return static_cast<VEC2D*>(o->points->items[i]); }
SEG2D* segmentAt(const OBJ2D* o, std::int32_t i) { return static_cast<SEG2D*>(o->segments->items[i]); }

// x^2 + y^2 without overflow: each square is at most 2^62.
std::uint64_t lengthSquared(std::int64_t x, std::int64_t y)
{
    return static_cast<std::uint64_t>(x * x) + static_cast<std::uint64_t>(y * y);
}

// Scale, rotate about the origin, translate: the drawing order.
VEC2D transformed(const OBJ2D* o, const VEC2D* p)
{
    VEC2D v = *p;
    VEC2D_scale(&v, o->scale);
    VEC2D_rotate(&v, o->angle);
    VEC2D_add(o->position, &v);
    return v;
}

char* duplicate(const char* text)
{
    if (text == nullptr) return nullptr;
    const std::size_t n = std::strlen(text);
    char* copy = static_cast<char*>(std::malloc(n + 1));
    if (copy == nullptr) { OBJ2D_error(); return nullptr; }
    std::memcpy(copy, text, n + 1);
    return copy;
}

void replaceText(char** field, char* text)
{
    std::free(*field);
    *field = text;
}

// The object text scanner. end is the first zero byte or the end of the bytes.
struct Scanner {
    const std::uint8_t* p;
    const std::uint8_t* end;
};

constexpr std::size_t WORD_MAX = 255;

bool isSeparator(std::uint8_t b)
{
    return static_cast<std::int8_t>(b) <= 32 || b == 127 || b == ',' || b == ';';
}

bool isSingle(std::uint8_t b)
{
    return (b >= 33 && b <= 47) || (b >= 58 && b <= 64) || (b >= 91 && b <= 96) || (b >= 123 && b <= 126);
}

void skipSeparators(Scanner& s)
{
    while (s.p < s.end && isSeparator(*s.p)) ++s.p;
}

std::size_t wordLength(const Scanner& s)
{
    std::size_t n = 0;
    while (n < WORD_MAX && s.p + n < s.end && !isSeparator(s.p[n])) ++n;
    return n;
}

std::uint8_t lower(std::uint8_t b) { return (b >= 'A' && b <= 'Z') ? static_cast<std::uint8_t>(b + 32) : b; }

bool isKeyword(const std::uint8_t* t, std::size_t n, const char* word)
{
    if (std::strlen(word) != n) return false;
    for (std::size_t i = 0; i < n; ++i)
        if (lower(t[i]) != static_cast<std::uint8_t>(word[i])) return false;
    return true;
}

std::uint32_t hexValue(const std::uint8_t* t, std::size_t n)
{
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint8_t b = t[i];
        std::uint32_t d;
        if (b >= '0' && b <= '9') d = b - '0';
        else if (b >= 'a' && b <= 'f') d = b - 'a' + 10u;
        else if (b >= 'A' && b <= 'F') d = b - 'A' + 10u;
        else break;
        v = v * 16u + d;
    }
    return v;
}

std::uint32_t decimalValue(const std::uint8_t* t, std::size_t n)
{
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < n && t[i] >= '0' && t[i] <= '9'; ++i) v = v * 10u + (t[i] - '0');
    return v;
}

// The rest of the line from the scan position; null when empty.
char* restOfLine(Scanner& s)
{
    const std::uint8_t* start = s.p;
    while (s.p < s.end && *s.p != '\n') ++s.p;
    const std::size_t n = static_cast<std::size_t>(s.p - start);
    if (n == 0) return nullptr;
    char* text = static_cast<char*>(std::malloc(n + 1));
    if (text == nullptr) { OBJ2D_error(); return nullptr; }
    std::memcpy(text, start, n);
    text[n] = '\0';
    return text;
}

struct ParseState {
    OBJ2D* object = nullptr;
    SEG2D* segment = nullptr;
    std::int32_t counter = 0;
    std::uint32_t colour = 0;
    bool colourPending = false;
};

void takeHex(ParseState& st, std::uint32_t value)
{
    if (st.colourPending) {
        st.colour = value;
        st.colourPending = false;
    }
}

void takeDecimal(ParseState& st, std::int32_t value)
{
    if (st.segment == nullptr) return;
    switch (st.counter) {
    case 0: st.segment->start->x = value; break;
    case 1:
        st.segment->start->y = value;
        st.segment->start->colour = st.colour;
        break;
    case 2: st.segment->end->x = value; break;
    default: {
        st.segment->end->y = value;
        st.segment->end->colour = st.colour;
        SEG2D* seg = st.segment;
        st.segment = nullptr;
        OBJ2D_addSegment(st.object, seg);
        const LIST* segs = st.object != nullptr ? st.object->segments : nullptr;
        if (segs == nullptr || segs->count == 0 || segs->items[segs->count - 1] != seg) SEG2D_free(&seg);
        break;
    }
    }
    st.counter = (st.counter + 1) & 3;
}

// Applies one token; the scan position is just past it.
void act(ParseState& st, Scanner& s, const std::uint8_t* t, std::size_t n, LIST* result)
{
    const std::uint8_t first = t[0];
    if (n == 1 && first == '#') {
        while (s.p < s.end && *s.p != '\n') ++s.p;
    } else if (n == 1 && first == '{') {
        if (st.object == nullptr) st.object = OBJ2D_new();
    } else if (n == 1 && first == '}') {
        LIST_push(result, st.object);
        st.object = nullptr;
    } else if (n == 1 && (first == '"' || first == '=')) {
    } else if (n == 1 && first == '-') {
        parseSign = -1;
    } else if (n == 1 && first == '$') {
        const std::size_t m = wordLength(s);
        takeHex(st, hexValue(s.p, m));
        s.p += m;
    } else if (isKeyword(t, n, "name")) {
        while (s.p < s.end && (static_cast<std::int8_t>(*s.p) < 33 || *s.p == 127)) ++s.p;
        char* text = restOfLine(s);
        if (st.object != nullptr) replaceText(&st.object->name, text);
        else std::free(text);   // the file's own name is not kept
    } else if (isKeyword(t, n, "version") || isKeyword(t, n, "author") || isKeyword(t, n, "type")) {
        skipSeparators(s);
        char* text = restOfLine(s);
        if (st.object == nullptr) std::free(text);
        else if (lower(first) == 'v') replaceText(&st.object->version, text);
        else if (lower(first) == 'a') replaceText(&st.object->author, text);
        else replaceText(&st.object->type, text);
    } else if (first >= '0' && first <= '9') {
        const std::uint32_t v = decimalValue(t, n) * static_cast<std::uint32_t>(parseSign);
        parseSign = 1;
        takeDecimal(st, static_cast<std::int32_t>(v));
    } else if (lower(first) == 'x' || lower(first) == 'h') {
        takeHex(st, hexValue(t + 1, n - 1));
    } else if (lower(first) == 'c') {
        st.colourPending = true;
    } else if (lower(first) == 's') {
        if (st.segment == nullptr) st.segment = SEG2D_new();
    }
}

LIST* parse(const std::uint8_t* begin, const std::uint8_t* end)
{
    LIST* result = LIST_new();
    if (result == nullptr) { OBJ2D_error(); return nullptr; }
    ParseState st;
    Scanner s{begin, end};
    for (;;) {
        skipSeparators(s);
        if (s.p >= s.end) break;
        const std::uint8_t* t = s.p;
        const std::size_t n = isSingle(*t) ? 1 : wordLength(s);
        s.p += n;
        if (s.p >= s.end) break;   // a token right before the end is not acted on
        act(st, s, t, n, result);
    }
    // What is still open at the end is not part of the result.
    if (st.object != nullptr) OBJ2D_free(&st.object);
    if (st.segment != nullptr) SEG2D_free(&st.segment);
    return result;
}

}  // namespace

OBJ2D* OBJ2D_new()
{
    OBJ2D* o = new (std::nothrow) OBJ2D{};
    if (o == nullptr) { OBJ2D_error(); return nullptr; }
    o->position = VEC2D_new(0, 0);
    o->size = VEC2D_new(16, 16);
    o->scale = VEC2D_new(1, 1);
    o->points = LIST_new();
    o->segments = LIST_new();
    o->farthest = -1;
    if (!usable(o)) {
        OBJ2D_free(&o);
        OBJ2D_error();
        return nullptr;
    }
    return o;
}

void OBJ2D_free(OBJ2D** object)
{
    if (object == nullptr || *object == nullptr) { OBJ2D_error(); return; }
    OBJ2D* o = *object;
    if (o->segments != nullptr) {
        for (std::int32_t i = o->segments->count - 1; i >= 0; --i) {
            SEG2D* seg = segmentAt(o, i);
            if (seg != nullptr) SEG2D_free(&seg);
        }
        LIST_free(&o->segments);
    }
    if (o->points != nullptr) LIST_free(&o->points);
    if (o->position != nullptr) VEC2D_free(&o->position);
    if (o->size != nullptr) VEC2D_free(&o->size);
    if (o->scale != nullptr) VEC2D_free(&o->scale);
    std::free(o->name);
    std::free(o->version);
    std::free(o->author);
    std::free(o->type);
    delete o;
    *object = nullptr;
}

void OBJ2D_addSegment(OBJ2D* object, SEG2D* seg)
{
    if (!usable(object) || seg == nullptr || seg->start == nullptr || seg->end == nullptr) {
        OBJ2D_error();
        return;
    }
    const std::int32_t segs = object->segments->count;
    const std::int32_t pts = object->points->count;
    LIST_push(object->segments, seg);
    LIST_push(object->points, seg->start);
    LIST_push(object->points, seg->end);
    if (object->segments->count != segs + 1 || object->points->count != pts + 2) {
        object->segments->count = segs;   // out of memory: the segment stays the caller's
        object->points->count = pts;
        OBJ2D_error();
        return;
    }
    const std::int32_t last = object->points->count - 1;
    if (OBJ2D_isFarther(object, last) != 0) object->farthest = last;
}

void OBJ2D_copy(const OBJ2D* src, OBJ2D* dst)
{
    if (!usable(src) || !usable(dst) || src->points->count != dst->points->count) {
        OBJ2D_error();
        return;
    }
    if (src == dst) return;
    for (std::int32_t i = src->points->count - 1; i >= 0; --i) {
        const VEC2D* from = pointAt(src, i);
        VEC2D* to = pointAt(dst, i);
        if (from != nullptr && to != nullptr) VEC2D_copy(from, to);
    }
    VEC2D_copy(src->position, dst->position);
    VEC2D_copy(src->size, dst->size);
    VEC2D_copy(src->scale, dst->scale);
    dst->angle = src->angle;
    dst->color = src->color;
    // Each object owns its texts, so the copy gets its own.
    replaceText(&dst->name, duplicate(src->name));
    replaceText(&dst->version, duplicate(src->version));
    replaceText(&dst->author, duplicate(src->author));
    replaceText(&dst->type, duplicate(src->type));
    dst->farthest = src->farthest;
}

OBJ2D* OBJ2D_clone(const OBJ2D* src)
{
    if (!usable(src)) { OBJ2D_error(); return nullptr; }
    OBJ2D* o = OBJ2D_new();
    if (o == nullptr) return nullptr;
    for (std::int32_t i = 0; i < src->segments->count; ++i) {
        SEG2D* seg = SEG2D_new();
        const std::int32_t before = o->segments->count;
        if (seg != nullptr) OBJ2D_addSegment(o, seg);
        if (o->segments->count == before) {
            if (seg != nullptr) SEG2D_free(&seg);
            OBJ2D_free(&o);
            OBJ2D_error();
            return nullptr;
        }
    }
    OBJ2D_copy(src, o);
    return o;
}

LIST* OBJ2D_parse(const char* text)
{
    if (text == nullptr) { OBJ2D_error(); return nullptr; }
    const auto* begin = reinterpret_cast<const std::uint8_t*>(text);
    return parse(begin, begin + std::strlen(text));
}

LIST* OBJ2D_parse(std::span<const std::uint8_t> text)
{
    if (text.data() == nullptr) { OBJ2D_error(); return nullptr; }
    const std::uint8_t* begin = text.data();
    const void* zero = std::memchr(begin, 0, text.size());
    const std::uint8_t* end = zero != nullptr ? static_cast<const std::uint8_t*>(zero) : begin + text.size();
    return parse(begin, end);
}

void OBJ2D_draw(const OBJ2D* object, IMG* image)
{
    if (!usable(object) || image == nullptr) { OBJ2D_error(); return; }
    for (std::int32_t i = object->segments->count - 1; i >= 0; --i) {
        const SEG2D* seg = segmentAt(object, i);
        if (seg == nullptr) continue;
        VEC2D a = transformed(object, seg->start);
        VEC2D b = transformed(object, seg->end);
        const SEG2D moved{&a, &b};
        SEG2D_draw(&moved, image);
    }
}

void OBJ2D_plot(const OBJ2D* object, IMG* image)
{
    if (!usable(object) || image == nullptr) { OBJ2D_error(); return; }
    for (std::int32_t i = object->points->count - 1; i >= 0; --i) {
        const VEC2D* p = pointAt(object, i);
        if (p == nullptr) continue;
        const VEC2D v = transformed(object, p);
        VEC2D_plot(&v, image);
    }
}

void OBJ2D_toSample(const OBJ2D* object, SAMPLE* sample)
{
    if (!usable(object) || sample == nullptr) { OBJ2D_error(); return; }
    for (std::int32_t i = object->segments->count - 1; i >= 0; --i) {
        const SEG2D* seg = segmentAt(object, i);
        if (seg == nullptr) continue;
        const VEC2D a = transformed(object, seg->start);
        const VEC2D b = transformed(object, seg->end);
        SAMPLE_append(sample, a.x);
        SAMPLE_append(sample, a.y);
        SAMPLE_append(sample, b.x);
        SAMPLE_append(sample, b.y);
    }
}

void OBJ2D_setColor(OBJ2D* object, std::uint32_t colour)
{
    if (!usable(object)) { OBJ2D_error(); return; }
    object->color = colour;
    for (std::int32_t i = object->points->count - 1; i >= 0; --i) {
        VEC2D* p = pointAt(object, i);
        if (p != nullptr) p->colour = colour;
    }
}

void OBJ2D_moveSegments(OBJ2D* object)
{
    if (!usable(object)) { OBJ2D_error(); return; }
    for (std::int32_t i = object->segments->count - 1; i >= 0; --i) {
        SEG2D* seg = segmentAt(object, i);
        if (seg == nullptr) continue;
        VEC2D_add(object->position, seg->start);
        VEC2D_add(object->position, seg->end);
    }
}

void OBJ2D_applyTransform(OBJ2D* object)
{
    if (!usable(object)) { OBJ2D_error(); return; }
    for (std::int32_t i = object->points->count - 1; i >= 0; --i) {
        VEC2D* p = pointAt(object, i);
        if (p != nullptr) *p = transformed(object, p);
    }
}

void OBJ2D_multiply(OBJ2D* object, std::int32_t k)
{
    if (!usable(object)) { OBJ2D_error(); return; }
    for (std::int32_t i = object->points->count - 1; i >= 0; --i) {
        VEC2D* p = pointAt(object, i);
        if (p == nullptr) continue;
        p->x = INT_wrap64(static_cast<std::int64_t>(p->x) * k);
        p->y = INT_wrap64(static_cast<std::int64_t>(p->y) * k);
    }
}

void OBJ2D_divide(OBJ2D* object, std::int32_t k)
{
    if (!usable(object) || k == 0) { OBJ2D_error(); return; }
    for (std::int32_t i = object->points->count - 1; i >= 0; --i) {
        VEC2D* p = pointAt(object, i);
        if (p == nullptr) continue;
        p->x = INT_wrap64(static_cast<std::int64_t>(p->x) / k);   // 64 bits: INT32_MIN / -1 wraps
        p->y = INT_wrap64(static_cast<std::int64_t>(p->y) / k);
    }
}

void OBJ2D_plotPoints(const OBJ2D* object, IMG* image)
{
    if (!usable(object) || image == nullptr) { OBJ2D_error(); return; }
    for (std::int32_t i = object->points->count - 1; i >= 0; --i) {
        const VEC2D* p = pointAt(object, i);
        if (p != nullptr) VEC2D_plot(p, image);
    }
}

void OBJ2D_drawSegments(const OBJ2D* object, IMG* image)
{
    if (!usable(object) || image == nullptr) { OBJ2D_error(); return; }
    for (std::int32_t i = object->segments->count - 1; i >= 0; --i) {
        const SEG2D* seg = segmentAt(object, i);
        if (seg != nullptr) SEG2D_draw(seg, image);
    }
}

void OBJ2D_drawAverage(const OBJ2D* object, IMG* image)
{
    if (!usable(object) || image == nullptr) { OBJ2D_error(); return; }
    for (std::int32_t i = object->segments->count - 1; i >= 0; --i) {
        const SEG2D* seg = segmentAt(object, i);
        if (seg != nullptr) SEG2D_drawAverage(seg, image);
    }
}

void OBJ2D_drawAdd(const OBJ2D* object, IMG* image)
{
    if (!usable(object) || image == nullptr) { OBJ2D_error(); return; }
    for (std::int32_t i = object->segments->count - 1; i >= 0; --i) {
        const SEG2D* seg = segmentAt(object, i);
        if (seg != nullptr) SEG2D_drawAdd(seg, image);
    }
}

void OBJ2D_findFarthest(OBJ2D* object)
{
    if (!usable(object)) { OBJ2D_error(); return; }
    std::uint64_t best = 0;
    for (std::int32_t i = object->points->count - 1; i >= 0; --i) {
        const VEC2D* p = pointAt(object, i);
        if (p == nullptr) continue;
        const std::uint64_t d = lengthSquared(p->x, p->y);
        if (d > best) {
            best = d;
            object->farthest = i;
        }
    }
}

std::int32_t OBJ2D_isFarther(const OBJ2D* object, std::int32_t index)
{
    if (!usable(object) || index < 0 || index >= object->points->count || pointAt(object, index) == nullptr) {
        OBJ2D_error();
        return 0;
    }
    const std::int32_t f = object->farthest;
    if (f < 0 || f >= object->points->count || pointAt(object, f) == nullptr) return 1;
    const VEC2D* old = pointAt(object, f);
    const VEC2D* p = pointAt(object, index);
    return lengthSquared(old->x, old->y) < lengthSquared(p->x, p->y) ? 1 : 0;
}

std::int32_t OBJ2D_collide(const OBJ2D* a, const OBJ2D* b)
{
    if (!usable(a) || !usable(b) || a->points->count == 0 || b->points->count == 0
        || a->farthest < 0 || a->farthest >= a->points->count || pointAt(a, a->farthest) == nullptr
        || b->farthest < 0 || b->farthest >= b->points->count || pointAt(b, b->farthest) == nullptr) {
        OBJ2D_error();
        return 0;
    }
    // Circle pre-test d <= rA + rB + rA * rB, in wide arithmetic so that large
    // objects cannot overflow into a wrong answer.
    const VEC2D* fa = pointAt(a, a->farthest);
    const VEC2D* fb = pointAt(b, b->farthest);
    auto sq = [](std::int64_t dx, std::int64_t dy) {
        const Wide ax = static_cast<Wide>(dx < 0 ? -dx : dx);   // |dx| < 2^32
        const Wide ay = static_cast<Wide>(dy < 0 ? -dy : dy);
        return ax * ax + ay * ay;
    };
    const Wide rA = sq(std::int64_t{fa->x} - a->position->x, std::int64_t{fa->y} - a->position->y);
    const Wide rB = sq(std::int64_t{fb->x} - b->position->x, std::int64_t{fb->y} - b->position->y);
    const Wide d = sq(std::int64_t{a->position->x} - b->position->x, std::int64_t{a->position->y} - b->position->y);
    const Wide most = ~Wide{0};
    const Wide product = (rA != 0 && rB > most / rA) ? most : rA * rB;
    const Wide sum = rA + rB;   // below 2^66
    const Wide limit = product > most - sum ? most : product + sum;
    if (d > limit) return 0;
    for (std::int32_t i = 0; i < a->segments->count; ++i) {
        const SEG2D* sa = segmentAt(a, i);
        if (sa == nullptr) continue;
        for (std::int32_t j = 0; j < b->segments->count; ++j) {
            const SEG2D* sb = segmentAt(b, j);
            if (sb != nullptr && SEG2D_boxesOverlap(sa, sb) != 0) return 1;
        }
    }
    return 0;
}
