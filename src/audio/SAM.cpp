// SAM: sample files. Loading reads the whole file once and hands its bytes to
// the form readers, so every reader is bounded by the file's length. A file
// that announces a form at its start ("RIFF" or "SAM\n") is read only in that
// form: a broken WAVE file fails instead of passing as headerless data.
#include "audio/SAM.h"

#include <cctype>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <new>
#include <span>
#include <string_view>
#include <vector>

const MODID SAM_ID = MODID_CODE("SAM     ");
std::uint8_t SAM_debug = 0;

namespace {

using Bytes = std::span<const std::uint8_t>;

// Longest file read: every value of it must be countable in 32 bits.
constexpr long maxFileBytes = INT32_MAX;

struct Format {
    std::int32_t channels;
    std::int32_t depth;
    std::uint8_t sign;
    std::uint8_t storage;
    std::uint8_t endian;
};

bool endsWith(const char* name, const char* ending)
{
    const std::size_t n = std::strlen(name);
    const std::size_t e = std::strlen(ending);
    if (n < e) return false;
    for (std::size_t i = 0; i < e; ++i)
        if (std::tolower(static_cast<unsigned char>(name[n - e + i])) != ending[i]) return false;
    return true;
}

bool startsWith(Bytes bytes, std::string_view text)
{
    return bytes.size() >= text.size() && std::memcmp(bytes.data(), text.data(), text.size()) == 0;
}

std::uint32_t littleEndian(Bytes bytes, std::size_t at, int size)
{
    std::uint32_t v = 0;
    for (int b = size - 1; b >= 0; --b) v = (v << 8) | bytes[at + static_cast<std::size_t>(b)];
    return v;
}

// Copies the value's top bit (bit depth - 1) into every higher bit.
std::int32_t signExtend(std::uint32_t v, std::int32_t depth)
{
    if (depth >= 32) return static_cast<std::int32_t>(v);
    const std::uint32_t top = 1u << (depth - 1);
    v &= (top << 1) - 1;
    return static_cast<std::int32_t>((v ^ top) - top);
}

bool validDepth(std::int32_t depth)
{
    return depth == 8 || depth == 16 || depth == 24 || depth == 32;
}

SAMPLE* sampleOf(std::int64_t n)
{
    SAMPLE* s = SAMPLE_new();
    if (s == nullptr) return nullptr;
    SAMPLE_setCount(s, static_cast<std::int32_t>(n));
    if (s->count != n) SAMPLE_free(&s);
    return s;
}

// RIFF/WAVE PCM with the canonical 44-byte header: 8-bit values as they are
// (0..255), wider ones little-endian and sign-extended.
SAMPLE* readRiff(Bytes bytes, Format& format)
{
    if (bytes.size() < 44 || !startsWith(bytes, "RIFF") || std::memcmp(&bytes[8], "WAVE", 4) != 0
        || std::memcmp(&bytes[12], "fmt", 3) != 0 || std::memcmp(&bytes[36], "data", 4) != 0) return nullptr;
    if (littleEndian(bytes, 20, 2) != 1) return nullptr;   // PCM only
    const auto channels = static_cast<std::int32_t>(littleEndian(bytes, 22, 2));
    const auto depth = static_cast<std::int32_t>(littleEndian(bytes, 34, 2));
    if (channels == 0 || !validDepth(depth)) return nullptr;
    const std::uint32_t size = littleEndian(bytes, 40, 4);
    if (size > bytes.size() - 44) return nullptr;   // announces more than the file holds
    const int width = depth / 8;
    const std::int64_t n = size / static_cast<std::uint32_t>(width);
    SAMPLE* s = sampleOf(n);
    if (s == nullptr) return nullptr;
    for (std::int64_t i = 0; i < n; ++i) {
        const std::uint32_t raw = littleEndian(bytes, 44 + static_cast<std::size_t>(i) * width, width);
        s->values[i] = depth == 8 ? static_cast<std::int32_t>(raw) : signExtend(raw, depth);
    }
    format = {channels, depth, depth == 8 ? std::uint8_t('u') : std::uint8_t('s'), format.storage, 'l'};
    return s;
}

// Line reader over the SAM forms' header.
struct Lines {
    Bytes bytes;
    std::size_t at = 0;

    bool next(std::string_view& line)
    {
        const std::size_t from = at;
        while (at < bytes.size() && bytes[at] != '\n') ++at;
        if (at >= bytes.size()) return false;
        line = std::string_view(reinterpret_cast<const char*>(bytes.data()) + from, at - from);
        ++at;
        return true;
    }

    bool number(std::int64_t& out, bool allowMinus)
    {
        std::string_view line;
        if (!next(line) || line.empty()) return false;
        const bool minus = allowMinus && line.front() == '-';
        if (minus) line.remove_prefix(1);
        if (line.empty() || line.size() > 10) return false;
        std::int64_t v = 0;
        for (const char c : line) {
            if (c < '0' || c > '9') return false;
            v = v * 10 + (c - '0');
        }
        out = minus ? -v : v;
        return out >= INT32_MIN && out <= INT32_MAX;
    }
};

// The SAM forms: "SAM", the storage line, then either the four fixed lines,
// the count and 16-bit values, or (binary only) the count, a width line and
// big-endian values of that width.
SAMPLE* readSam(Bytes bytes, Format& format)
{
    Lines lines{bytes};
    std::string_view line;
    if (!lines.next(line) || line != "SAM" || !lines.next(line)) return nullptr;
    const bool binary = line == "binary";
    if (!binary && line != "ASCII") return nullptr;
    const std::size_t mark = lines.at;
    if (lines.next(line) && line == "signed") {
        std::string_view bits, order, channels;
        if (!lines.next(bits) || bits != "bits 16" || !lines.next(order) || order != "little endian"
            || !lines.next(channels) || channels != "chanels 1") return nullptr;
        std::int64_t n = 0;
        if (!lines.number(n, false) || n < 0) return nullptr;
        const std::size_t left = bytes.size() - lines.at;
        if (static_cast<std::uint64_t>(n) > left / 2) return nullptr;   // every value takes 2 bytes at least
        SAMPLE* s = sampleOf(n);
        if (s == nullptr) return nullptr;
        for (std::int64_t i = 0; i < n; ++i) {
            if (binary) {
                s->values[i] = signExtend(littleEndian(bytes, lines.at, 2), 16);
                lines.at += 2;
            } else {
                std::int64_t v = 0;
                if (!lines.number(v, true)) { SAMPLE_free(&s); return nullptr; }
                s->values[i] = static_cast<std::int32_t>(v);
            }
        }
        format = {1, 16, 's', binary ? std::uint8_t('b') : std::uint8_t('a'), 'l'};
        return s;
    }
    if (!binary) return nullptr;
    lines.at = mark;
    std::int64_t n = 0;
    std::int64_t depth = 0;
    if (!lines.number(n, false) || n < 0 || !lines.number(depth, false)
        || !validDepth(static_cast<std::int32_t>(depth))) return nullptr;
    const std::size_t width = static_cast<std::size_t>(depth) / 8;
    if (static_cast<std::uint64_t>(n) > (bytes.size() - lines.at) / width) return nullptr;
    SAMPLE* s = sampleOf(n);
    if (s == nullptr) return nullptr;
    for (std::int64_t i = 0; i < n; ++i) {
        std::uint32_t v = 0;
        for (std::size_t b = 0; b < width; ++b) v = (v << 8) | bytes[lines.at++];
        s->values[i] = signExtend(v, static_cast<std::int32_t>(depth));
    }
    format = {1, static_cast<std::int32_t>(depth), 's', 'b', 'm'};
    return s;
}

// Headerless data in the record's own depth, byte order and sign; a partial
// last value is ignored.
SAMPLE* readHeaderless(Bytes bytes, const Format& format)
{
    if (!validDepth(format.depth)) return nullptr;
    const std::size_t width = static_cast<std::size_t>(format.depth) / 8;
    const std::int64_t n = static_cast<std::int64_t>(bytes.size() / width);
    SAMPLE* s = sampleOf(n);
    if (s == nullptr) return nullptr;
    for (std::int64_t i = 0; i < n; ++i) {
        const std::size_t at = static_cast<std::size_t>(i) * width;
        std::uint32_t v = 0;
        for (std::size_t b = 0; b < width; ++b) {
            const std::size_t k = format.endian == 'm' ? b : width - 1 - b;
            v = (v << 8) | bytes[at + k];
        }
        s->values[i] = format.sign == 's' ? signExtend(v, format.depth) : static_cast<std::int32_t>(v);
    }
    return s;
}

bool readFile(SAM* sam, std::vector<std::uint8_t>& bytes)
{
    sam->file = std::fopen(sam->fileName, "rb");
    if (sam->file == nullptr) return false;
    bool ok = std::fseek(sam->file, 0, SEEK_END) == 0;
    const long size = ok ? std::ftell(sam->file) : -1;
    ok = ok && size >= 0 && size <= maxFileBytes && std::fseek(sam->file, 0, SEEK_SET) == 0;
    if (ok) {
        bytes.resize(static_cast<std::size_t>(size));
        ok = bytes.empty() || std::fread(bytes.data(), 1, bytes.size(), sam->file) == bytes.size();
    }
    std::fclose(sam->file);
    sam->file = nullptr;
    return ok;
}

bool put(std::FILE* file, const char* text)
{
    return std::fputs(text, file) >= 0;
}

bool putCount(std::FILE* file, std::int32_t count)
{
    return std::fprintf(file, "%li\n", static_cast<long>(count)) > 0;
}

// Header width that holds every value: 8, 16, 24 or 32 bits.
std::int32_t widthFor(const SAMPLE* s)
{
    if (s->count == 0) return 8;
    const std::int32_t lo = SAMPLE_min(s);
    const std::int32_t hi = SAMPLE_max(s);
    if (lo >= -128 && hi <= 127) return 8;
    if (lo >= -32768 && hi <= 32767) return 16;
    if (lo >= -8388608 && hi <= 8388607) return 24;
    return 32;
}

bool writeSamForm(const SAM* sam, std::FILE* file)
{
    const std::uint8_t storage = sam->storage;
    const bool binary = storage == 'b' || storage == 'B';
    const bool ascii = storage == 'a' || storage == 'A';
    bool ok = put(file, "SAM\n");
    if (binary) ok = ok && put(file, "binary\n");
    if (ascii) ok = ok && put(file, "ASCII\n");
    ok = ok && put(file, "signed\n") && put(file, "bits 16\n") && put(file, "little endian\n")
        && put(file, "chanels 1\n") && putCount(file, sam->sample->count);
    if (!ok || (!binary && !ascii)) return false;
    const SAMPLE* s = sam->sample;
    if (ascii) {
        for (std::int32_t i = 0; ok && i < s->count; ++i) ok = std::fprintf(file, "%d\n", s->values[i]) > 0;
        return ok;
    }
    std::vector<std::uint8_t> data;
    data.reserve(static_cast<std::size_t>(s->count) * 2);
    for (std::int32_t i = 0; i < s->count; ++i) {
        const auto v = static_cast<std::uint32_t>(s->values[i]);
        data.push_back(static_cast<std::uint8_t>(v));
        data.push_back(static_cast<std::uint8_t>(v >> 8));
    }
    return data.empty() || std::fwrite(data.data(), 1, data.size(), file) == data.size();
}

bool writeRawForm(const SAM* sam, std::FILE* file)
{
    const std::int32_t width = widthFor(sam->sample);
    return put(file, "SAM\n") && put(file, "binary\n") && putCount(file, sam->sample->count)
        && std::fprintf(file, "%d\n", width) > 0 && SAMPLE_writeRaw(sam->sample, file, width, "b");
}

// The bare form has widths 8 and 16 only; wider values leave the file empty
// and the save fails.
bool writeBareForm(const SAM* sam, std::FILE* file)
{
    const std::int32_t width = widthFor(sam->sample);
    if (width > 16) return false;
    return std::fprintf(file, "%d\n", width) > 0 && SAMPLE_writeRaw(sam->sample, file, width, "b");
}

}  // namespace

SAM* SAM_new()
{
    SAM* sam = new (std::nothrow) SAM{};
    if (sam == nullptr) { SAM_error(); std::exit(-1); }
    return sam;
}

void SAM_free(SAM** sam)
{
    if (sam == nullptr || *sam == nullptr) { SAM_error(); return; }
    if ((*sam)->file != nullptr) std::fclose((*sam)->file);
    std::free((*sam)->fileName);
    if ((*sam)->sample != nullptr) SAMPLE_free(&(*sam)->sample);
    delete *sam;
    *sam = nullptr;
}

void SAM_setSample(SAM* sam, SAMPLE* sample)
{
    if (sam == nullptr) { SAM_error(); return; }
    sam->sample = sample;
}

bool SAM_setFileName(SAM* sam, const char* name)
{
    if (sam == nullptr || name == nullptr) { SAM_error(); return false; }
    const std::size_t n = std::strlen(name) + 1;
    char* copy = static_cast<char*>(std::malloc(n));
    if (copy == nullptr) { SAM_error(); return false; }
    std::memcpy(copy, name, n);
    std::free(sam->fileName);
    sam->fileName = copy;
    return true;
}

bool SAM_load(SAM* sam)
{
    if (sam == nullptr || sam->fileName == nullptr) { SAM_error(); return false; }
    std::vector<std::uint8_t> data;
    if (!readFile(sam, data)) { SAM_error(); return false; }
    const Bytes bytes(data);
    Format format{sam->channels, sam->depth, sam->sign, sam->storage, sam->endian};
    SAMPLE* s = nullptr;
    if (startsWith(bytes, "RIFF")) {
        s = readRiff(bytes, format);
    } else if (startsWith(bytes, "SAM\n")) {
        s = readSam(bytes, format);
    } else {
        // The name's ending picks the first reader; then WAVE, SAM, headerless.
        if (endsWith(sam->fileName, "sam")) s = readSam(bytes, format);
        if (s == nullptr) s = readRiff(bytes, format);
        if (s == nullptr) s = readSam(bytes, format);
        if (s == nullptr) s = readHeaderless(bytes, format);
    }
    if (s == nullptr) { SAM_error(); return false; }
    if (sam->sample != nullptr) SAMPLE_free(&sam->sample);
    sam->sample = s;
    sam->channels = format.channels;
    sam->depth = format.depth;
    sam->sign = format.sign;
    sam->storage = format.storage;
    sam->endian = format.endian;
    return true;
}

bool SAM_save(SAM* sam)
{
    if (sam == nullptr || sam->sample == nullptr) { SAM_error(); return false; }
    bool ok = false;
    if (sam->file != nullptr) {
        ok = writeSamForm(sam, sam->file);
    } else {
        if (sam->fileName == nullptr) { SAM_error(); return false; }
        sam->file = std::fopen(sam->fileName, "wb");
        if (sam->file == nullptr) { SAM_error(); return false; }
        if (endsWith(sam->fileName, "wav")) ok = writeBareForm(sam, sam->file);
        else if (endsWith(sam->fileName, "raw")) ok = writeRawForm(sam, sam->file);
        else ok = writeSamForm(sam, sam->file);
    }
    ok = std::fclose(sam->file) == 0 && ok;
    sam->file = nullptr;
    if (!ok) SAM_error();
    return ok;
}

void SAM_error()
{
    if (SAM_debug != 0) std::fputs("SAM error.\n", stdout);
}
