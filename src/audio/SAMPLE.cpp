// SAMPLE: storage, wrapping arithmetic, the text form and raw writing of the
// signed 32-bit value array. Wrapping products and sums go through
// std::uint32_t so overflow is defined.
#include "audio/SAMPLE.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "foundation/INT.h"

const MODID SAMPLE_ID = MODID_CODE("SAMPLE  ");
std::uint8_t SAMPLE_debug = 0;

namespace {

// Bits 32..63 of the 64-bit product v * factor. They are the low word of
// (v * factor) >> 32 with an arithmetic shift, and they do not depend on
// whether the full product fits in 64 bits.
std::int32_t highWord(std::int32_t v, std::uint64_t factor)
{
    const std::uint64_t product = static_cast<std::uint64_t>(static_cast<std::int64_t>(v)) * factor;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(product >> 32));
}

// Zeroed slots come from calloc: fresh pages from the system are zero
// already, so long samples (the instrument bank is 13 MB) are not cleared
// twice.
std::int32_t* zeroed(std::int32_t n)
{
    return static_cast<std::int32_t*>(std::calloc(static_cast<std::size_t>(n), sizeof(std::int32_t)));
}

// The hot loops of the instrument bank work in runs of eight values, which
// the compiler turns into vector instructions; the tail runs one by one.
void addValues(std::int32_t* __restrict a, const std::int32_t* __restrict b, std::int32_t n)
{
    std::int32_t i = 0;
    for (; i + 8 <= n; i += 8)
        for (std::int32_t k = 0; k < 8; ++k) a[i + k] = INT_add(a[i + k], b[i + k]);
    for (; i < n; ++i) a[i] = INT_add(a[i], b[i]);
}

void shiftValues(std::int32_t* v, std::int32_t n, int by)
{
    std::int32_t i = 0;
    for (; i + 8 <= n; i += 8)
        for (std::int32_t k = 0; k < 8; ++k) v[i + k] >>= by;
    for (; i < n; ++i) v[i] >>= by;
}

bool valid(const SAMPLE* s)
{
    if (s == nullptr) { SAMPLE_error(); return false; }
    return true;
}

// Grows a full sample for one more value: twice the capacity, 1 from 0.
bool growForOne(SAMPLE* s)
{
    if (s->count < s->capacity) return true;
    if (s->count == INT32_MAX) { SAMPLE_error(); return false; }
    const std::int32_t next = s->capacity == 0 ? 1
        : (s->capacity > INT32_MAX / 2 ? INT32_MAX : s->capacity * 2);
    SAMPLE_reserve(s, next);
    return s->count < s->capacity;
}

void putBytes(std::vector<std::uint8_t>& out, std::uint32_t word, int bytes, bool highFirst)
{
    for (int b = 0; b < bytes; ++b) {
        const int shift = highFirst ? 8 * (bytes - 1 - b) : 8 * b;
        out.push_back(static_cast<std::uint8_t>(word >> shift));
    }
}

}  // namespace

SAMPLE* SAMPLE_new()
{
    std::unique_ptr<SAMPLE> s(new (std::nothrow) SAMPLE{});
    std::int32_t* values = zeroed(32);
    if (!s || values == nullptr) { std::free(values); SAMPLE_error(); return nullptr; }
    s->capacity = 32;
    s->values = values;
    return s.release();
}

void SAMPLE_free(SAMPLE** sample)
{
    if (sample == nullptr || *sample == nullptr) { SAMPLE_error(); return; }
    std::free((*sample)->values);
    delete *sample;
    *sample = nullptr;
}

void SAMPLE_reserve(SAMPLE* s, std::int32_t n)
{
    if (!valid(s)) return;
    if (n < 0) { SAMPLE_error(); return; }
    if (n == s->capacity) return;
    if (n == 0) {
        std::free(s->values);
        s->values = nullptr;
        s->count = 0;
        s->capacity = 0;
        return;
    }
    std::int32_t* values = zeroed(n);
    if (values == nullptr) { SAMPLE_error(); return; }
    const std::int32_t keep = std::min(s->count, n);
    if (keep > 0) std::memcpy(values, s->values, static_cast<std::size_t>(keep) * sizeof(std::int32_t));
    std::free(s->values);
    s->values = values;
    s->count = keep;
    s->capacity = n;
}

void SAMPLE_setCount(SAMPLE* s, std::int32_t n)
{
    if (!valid(s)) return;
    if (n < 0) { SAMPLE_error(); return; }
    if (n > s->capacity) {
        SAMPLE_reserve(s, n);
        if (s->capacity < n) return;
    }
    s->count = n;
}

std::int32_t SAMPLE_get(const SAMPLE* s, std::int32_t i)
{
    if (!valid(s)) return 0;
    if (i < 0 || i >= s->count) { SAMPLE_error(); return 0; }
    return s->values[i];
}

void SAMPLE_set(SAMPLE* s, std::int32_t i, std::int32_t value)
{
    if (!valid(s)) return;
    if (i < 0 || i >= s->count) { SAMPLE_error(); return; }
    s->values[i] = value;
}

void SAMPLE_append(SAMPLE* s, std::int32_t value)
{
    if (!valid(s) || !growForOne(s)) return;
    s->values[s->count] = value;
    s->count += 1;
}

void SAMPLE_insert(SAMPLE* s, std::int32_t value, std::int32_t i)
{
    if (!valid(s)) return;
    if (i < 0 || i > s->count) { SAMPLE_error(); return; }
    if (s->count >= s->capacity) {
        // A sample without storage first gets one slot, then doubles to two.
        if (s->capacity == 0) {
            SAMPLE_reserve(s, 1);
            if (s->capacity == 0) return;
        }
        if (s->count == INT32_MAX) { SAMPLE_error(); return; }
        SAMPLE_reserve(s, s->capacity > INT32_MAX / 2 ? INT32_MAX : s->capacity * 2);
        if (s->count >= s->capacity) return;
    }
    std::memmove(s->values + i + 1, s->values + i,
                 static_cast<std::size_t>(s->count - i) * sizeof(std::int32_t));
    s->values[i] = value;
    s->count += 1;
}

void SAMPLE_remove(SAMPLE* s, std::int32_t i)
{
    if (!valid(s)) return;
    if (i < 0 || i >= s->count) { SAMPLE_error(); return; }
    std::memmove(s->values + i, s->values + i + 1,
                 static_cast<std::size_t>(s->count - i - 1) * sizeof(std::int32_t));
    s->count -= 1;
}

void SAMPLE_copyRange(const SAMPLE* src, SAMPLE* dst, std::int32_t n,
                      std::int32_t srcStart, std::int32_t dstStart)
{
    if (!valid(src) || !valid(dst)) return;
    if (n < 0 || srcStart < 0 || dstStart < 0
        || static_cast<std::int64_t>(srcStart) + n > src->count
        || static_cast<std::int64_t>(dstStart) + n > dst->count) { SAMPLE_error(); return; }
    // memmove copies overlapping runs within one sample correctly either way.
    if (n > 0) std::memmove(dst->values + dstStart, src->values + srcStart,
                            static_cast<std::size_t>(n) * sizeof(std::int32_t));
}

SAMPLE* SAMPLE_clone(const SAMPLE* s)
{
    if (!valid(s)) return nullptr;
    SAMPLE* c = SAMPLE_new();
    if (c == nullptr) return nullptr;
    SAMPLE_setCount(c, s->count);
    if (c->count != s->count) { SAMPLE_free(&c); return nullptr; }
    if (s->count > 0) std::memcpy(c->values, s->values, static_cast<std::size_t>(s->count) * sizeof(std::int32_t));
    return c;
}

void SAMPLE_clear(SAMPLE* s)
{
    if (!valid(s)) return;
    if (s->count > 0) std::memset(s->values, 0, static_cast<std::size_t>(s->count) * sizeof(std::int32_t));
}

void SAMPLE_add(SAMPLE* a, const SAMPLE* b)
{
    if (!valid(a) || !valid(b)) return;
    const std::int32_t n = std::min(a->count, b->count);
    if (a == b) {
        for (std::int32_t i = 0; i < n; ++i) a->values[i] = INT_add(a->values[i], a->values[i]);
        return;
    }
    addValues(a->values, b->values, n);
}

void SAMPLE_multiplyBy(SAMPLE* a, const SAMPLE* b)
{
    if (!valid(a) || !valid(b)) return;
    const std::int32_t n = std::min(a->count, b->count);
    std::int32_t* av = a->values;
    const std::int32_t* bv = b->values;
    for (std::int32_t i = 0; i < n; ++i) av[i] = INT_mul(av[i], bv[i]);
}

void SAMPLE_multiply(SAMPLE* s, std::int32_t k)
{
    if (!valid(s)) return;
    for (std::int32_t i = 0; i < s->count; ++i) s->values[i] = INT_mul(s->values[i], k);
}

void SAMPLE_divide(SAMPLE* s, std::int32_t k)
{
    if (!valid(s)) return;
    if (k == 0) { SAMPLE_error(); return; }
    for (std::int32_t i = 0; i < s->count; ++i) s->values[i] = INT_div(s->values[i], k);
}

void SAMPLE_shiftRight(SAMPLE* s, std::int32_t k)
{
    if (!valid(s)) return;
    if (k >= 33) { SAMPLE_error(); return; }
    const int by = k & 31;
    shiftValues(s->values, s->count, by);
}

void SAMPLE_shiftLeft(SAMPLE* s, std::int32_t k)
{
    if (!valid(s)) return;
    if (k >= 33) { SAMPLE_error(); return; }
    const int by = k & 31;
    for (std::int32_t i = 0; i < s->count; ++i)
        s->values[i] = INT_shl(s->values[i], by);
}

void SAMPLE_normalize(SAMPLE* s, std::int32_t peak)
{
    if (!valid(s) || s->count == 0) return;
    std::int32_t low = s->values[0], high = s->values[0];
    for (std::int32_t i = 1; i < s->count; ++i) {
        low = std::min(low, s->values[i]);
        high = std::max(high, s->values[i]);
    }
    const std::int64_t lo = low;
    const std::int64_t hi = high;
    const std::int64_t m = std::max(lo < 0 ? -lo : lo, hi < 0 ? -hi : hi);
    if (m == 0) return;
    // peak * 2^32 fits in 64 bits for every 32-bit peak; the products may
    // not, but only their bits 32..63 are kept.
    const std::int64_t factor = static_cast<std::int64_t>(peak) * 4294967296LL / m;
    const std::uint64_t f = static_cast<std::uint64_t>(factor);
    for (std::int32_t i = 0; i < s->count; ++i) s->values[i] = highWord(s->values[i], f);
}

void SAMPLE_rotateRight(SAMPLE* s, std::int32_t k)
{
    if (!valid(s) || s->count == 0) return;
    std::int32_t r = k % s->count;
    if (r < 0) r += s->count;
    std::rotate(s->values, s->values + (s->count - r), s->values + s->count);
}

void SAMPLE_rotateLeft(SAMPLE* s, std::int32_t k)
{
    if (!valid(s) || s->count == 0) return;
    std::int32_t r = k % s->count;
    if (r < 0) r += s->count;
    std::rotate(s->values, s->values + r, s->values + s->count);
}

void SAMPLE_line(SAMPLE* s, std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1)
{
    if (!valid(s)) return;
    if (x0 < 0 || x0 > x1 || x1 >= s->count) { SAMPLE_error(); return; }
    // Integer error stepping. The stepping after the last column changes
    // nothing written, so it is skipped; with x0 == x1 and a tall rise it
    // would never end (e never falls while dx is 0).
    const std::int64_t dx = static_cast<std::int64_t>(x1) - x0;
    const std::int64_t rise = static_cast<std::int64_t>(y1) - y0;
    const std::int64_t dy = rise < 0 ? -rise : rise;
    const std::int64_t step = rise > 0 ? 1 : (rise < 0 ? -1 : 0);
    std::int64_t y = y0;
    if (dx <= dy) {
        std::int64_t e = dy >> 1;
        for (std::int32_t x = x0;; ++x) {
            s->values[x] = static_cast<std::int32_t>(y);
            if (x == x1) break;
            while (e > 0) { y += step; e -= dx; }
            e += dy;
        }
    } else {
        std::int64_t e = dx >> 1;
        for (std::int32_t x = x0;; ++x) {
            s->values[x] = static_cast<std::int32_t>(y);
            if (x == x1) break;
            e -= dy;
            if (e < 1) { y += step; e += dx; }
        }
    }
}

std::int32_t SAMPLE_min(const SAMPLE* s)
{
    const std::int32_t i = SAMPLE_indexOfMin(s);
    return i < 0 ? 0 : s->values[i];
}

std::int32_t SAMPLE_max(const SAMPLE* s)
{
    const std::int32_t i = SAMPLE_indexOfMax(s);
    return i < 0 ? 0 : s->values[i];
}

std::int32_t SAMPLE_indexOfMin(const SAMPLE* s)
{
    if (!valid(s)) return -1;
    if (s->count == 0) { SAMPLE_error(); return -1; }
    std::int32_t best = 0;
    std::int32_t value = s->values[0];
    for (std::int32_t i = 1; i < s->count; ++i)
        if (s->values[i] < value) { best = i; value = s->values[i]; }
    return best;
}

std::int32_t SAMPLE_indexOfMax(const SAMPLE* s)
{
    if (!valid(s)) return -1;
    if (s->count == 0) { SAMPLE_error(); return -1; }
    std::int32_t best = 0;
    std::int32_t value = s->values[0];
    for (std::int32_t i = 1; i < s->count; ++i)
        if (s->values[i] > value) { best = i; value = s->values[i]; }
    return best;
}

void SAMPLE_reverse(SAMPLE* s)
{
    if (!valid(s)) return;
    std::reverse(s->values, s->values + s->count);
}

std::int32_t SAMPLE_find(const SAMPLE* s, std::int32_t value, std::int32_t start)
{
    if (!valid(s)) return -1;
    for (std::int32_t i = std::max(start, 0); i < s->count; ++i)
        if (s->values[i] == value) return i;
    return -1;
}

SAMPLE* SAMPLE_fromBytes(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() > static_cast<std::size_t>(INT32_MAX)) { SAMPLE_error(); return nullptr; }
    SAMPLE* s = SAMPLE_new();
    if (s == nullptr) return nullptr;
    const auto n = static_cast<std::int32_t>(bytes.size());
    SAMPLE_setCount(s, n);
    if (s->count != n) { SAMPLE_free(&s); return nullptr; }
    for (std::int32_t i = 0; i < n; ++i) s->values[i] = static_cast<std::int8_t>(bytes[static_cast<std::size_t>(i)]);
    return s;
}

void SAMPLE_insertSample(SAMPLE* a, const SAMPLE* b, std::int32_t i)
{
    if (!valid(a) || !valid(b)) return;
    if (i < 0 || i > a->count) { SAMPLE_error(); return; }
    if (static_cast<std::int64_t>(a->count) + b->count > INT32_MAX) { SAMPLE_error(); return; }
    // Inserting a sample into itself reads from a copy of the old values.
    std::vector<std::int32_t> copy(b->values, b->values + b->count);
    const std::int32_t total = a->count + b->count;
    if (total > a->capacity) {
        SAMPLE_reserve(a, total);
        if (a->capacity < total) return;
    }
    std::memmove(a->values + i + copy.size(), a->values + i,
                 static_cast<std::size_t>(a->count - i) * sizeof(std::int32_t));
    std::copy(copy.begin(), copy.end(), a->values + i);
    a->count = total;
}

std::int32_t SAMPLE_matches(const SAMPLE* a, const SAMPLE* b, std::int32_t offset)
{
    if (!valid(a) || !valid(b)) return 0;
    const std::int64_t from = std::max<std::int64_t>(0, offset);
    const std::int64_t to = std::min<std::int64_t>(a->count, static_cast<std::int64_t>(b->count) + offset);
    std::int32_t n = 0;
    for (std::int64_t j = from; j < to; ++j)
        if (a->values[j] == b->values[j - offset]) ++n;
    return n;
}

std::int32_t SAMPLE_bestOffset(const SAMPLE* a, const SAMPLE* b)
{
    if (!valid(a) || !valid(b)) return 0;
    if (a->count == 0 || b->count == 0) return 0;
    std::int32_t best = 1 - b->count;
    std::int32_t most = -1;
    for (std::int32_t off = 1 - b->count; off <= a->count - 1; ++off) {
        const std::int32_t m = SAMPLE_matches(a, b, off);
        if (m > most) { most = m; best = off; }
    }
    return best;
}

void SAMPLE_addScaled(SAMPLE* a, const SAMPLE* b, std::int32_t mul, std::int32_t div)
{
    if (!valid(a) || !valid(b)) return;
    if (div == 0) { SAMPLE_error(); return; }
    const std::int32_t n = std::min(a->count, b->count);
    for (std::int32_t i = 0; i < n; ++i)
        a->values[i] = INT_add(a->values[i], INT_div(INT_mul(b->values[i], mul), div));
}

void SAMPLE_addScaled16(SAMPLE* a, const SAMPLE* b, std::int32_t f)
{
    if (!valid(a) || !valid(b)) return;
    const std::int32_t n = std::min(a->count, b->count);
    for (std::int32_t i = 0; i < n; ++i)
        a->values[i] = INT_add(a->values[i], INT_mul(b->values[i], f) >> 16);
}

void SAMPLE_resample(SAMPLE* s, std::int32_t n)
{
    if (!valid(s)) return;
    if (n < 0) { SAMPLE_error(); return; }
    if (n == 0) { SAMPLE_reserve(s, 0); return; }
    std::int32_t* values = zeroed(n);
    if (values == nullptr) { SAMPLE_error(); return; }
    if (s->count > 0)
        for (std::int32_t i = 0; i < n; ++i)
            values[i] = s->values[static_cast<std::int64_t>(i) * s->count / n];
    std::free(s->values);
    s->values = values;
    s->count = n;
    s->capacity = n;
}

void SAMPLE_mapRange(SAMPLE* s, std::int32_t lo, std::int32_t hi)
{
    if (!valid(s) || s->count == 0) return;
    const std::int32_t mn = SAMPLE_min(s);
    const std::int64_t d = static_cast<std::int64_t>(SAMPLE_max(s)) - mn;
    if (d == 0) {
        // One value only: it is the smallest, so it becomes lo (the factor
        // would divide by zero).
        std::fill(s->values, s->values + s->count, lo);
        return;
    }
    // factor = (hi - lo) * 2^32 / d, truncated toward zero. The product may
    // need more than 64 bits, so it is formed from quotient and remainder;
    // only its value modulo 2^64 matters for the high words below.
    const std::int64_t range = static_cast<std::int64_t>(hi) - lo;
    const std::uint64_t mag = static_cast<std::uint64_t>(range < 0 ? -range : range);
    const std::uint64_t ud = static_cast<std::uint64_t>(d);
    std::uint64_t factor = ((mag / ud) << 32) + (((mag % ud) << 32) / ud);
    if (range < 0) factor = 0 - factor;
    const std::int32_t base = highWord(mn, factor);
    for (std::int32_t i = 0; i < s->count; ++i)
        s->values[i] = INT_add(lo, INT_sub(highWord(s->values[i], factor), base));
}

bool SAMPLE_equal(const SAMPLE* a, const SAMPLE* b)
{
    if (!valid(a) || !valid(b)) return false;
    const bool same = a->count == b->count
        && (a->count == 0 || std::memcmp(a->values, b->values, static_cast<std::size_t>(a->count) * sizeof(std::int32_t)) == 0);
    if (!same) SAMPLE_error();
    return same;
}

char* SAMPLE_print(const SAMPLE* s)
{
    if (!valid(s)) return nullptr;
    std::string text;
    if (s->count == 0) {
        text = "SAMPLE { 0 }\n";
    } else {
        char line[32];
        text = "SAMPLE { ";
        std::snprintf(line, sizeof line, "%ld\n", static_cast<long>(s->count));
        text += line;
        for (std::int32_t i = 0; i < s->count; ++i) {
            std::snprintf(line, sizeof line, "%ld\n", static_cast<long>(s->values[i]));
            text += line;
        }
        text += "}\n";
    }
    char* out = static_cast<char*>(std::malloc(text.size() + 1));
    if (out == nullptr) { SAMPLE_error(); return nullptr; }
    std::memcpy(out, text.c_str(), text.size() + 1);
    return out;
}

SAMPLE* SAMPLE_parse(const char* text)
{
    if (text == nullptr) { SAMPLE_error(); return nullptr; }
    const char* p = std::strstr(text, "SAMPLE");
    if (p != nullptr) p = std::strchr(p + 6, '{');
    if (p == nullptr) { SAMPLE_error(); return nullptr; }
    ++p;
    auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    // Reads the next run of digits (with a '-' directly before it when
    // negative allows); false at the end of the text or when the number
    // does not fit in 32 bits.
    auto number = [&](bool allowMinus, std::int64_t& out) {
        while (*p != '\0' && !isDigit(*p)) ++p;
        if (*p == '\0') return false;
        const bool minus = allowMinus && p > text && p[-1] == '-';
        std::int64_t v = 0;
        for (; isDigit(*p); ++p) {
            v = v * 10 + (*p - '0');
            if (v > 2147483648LL) return false;
        }
        if (minus) v = -v;
        if (v > INT32_MAX) return false;
        out = v;
        return true;
    };
    std::int64_t count = 0;
    if (!number(false, count)) { SAMPLE_error(); return nullptr; }
    SAMPLE* s = SAMPLE_new();
    if (s == nullptr) return nullptr;
    // Values are appended one by one, so a count larger than the text can
    // back fails at the end of the text instead of allocating up front.
    for (std::int64_t k = 0; k < count; ++k) {
        std::int64_t v = 0;
        if (!number(true, v)) { SAMPLE_free(&s); SAMPLE_error(); return nullptr; }
        SAMPLE_append(s, static_cast<std::int32_t>(v));
        if (s->count != k + 1) { SAMPLE_free(&s); return nullptr; }
    }
    if (std::strchr(p, '}') == nullptr) { SAMPLE_free(&s); SAMPLE_error(); return nullptr; }
    return s;
}

bool SAMPLE_writeRaw(const SAMPLE* s, std::FILE* file, std::int32_t depth, const char* order)
{
    if (!valid(s)) return false;
    if (file == nullptr) { SAMPLE_error(); return false; }
    const bool highFirst = order != nullptr && std::strcmp(order, "b") == 0;
    std::vector<std::uint8_t> bytes;
    bytes.reserve(static_cast<std::size_t>(s->count) * 4);
    for (std::int32_t i = 0; i < s->count; ++i) {
        const std::int32_t v = s->values[i];
        switch (depth) {
        case 8:
            putBytes(bytes, static_cast<std::uint32_t>(std::clamp(v, -128, 127)), 1, highFirst);
            break;
        case 24:
            putBytes(bytes, static_cast<std::uint32_t>(std::clamp(v, -8388608, 8388607)), 3, highFirst);
            break;
        case 32:
            putBytes(bytes, static_cast<std::uint32_t>(v == INT32_MIN ? -INT32_MAX : v), 4, highFirst);
            break;
        default:
            putBytes(bytes, static_cast<std::uint32_t>(std::clamp(v, -32768, 32767)), 2, highFirst);
            break;
        }
    }
    return bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
}

void SAMPLE_error()
{
    if (SAMPLE_debug != 0) std::fputs("SAMPLE error\n", stdout);
}
