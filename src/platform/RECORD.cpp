// RECORD: the FFmpeg recorder. Frames are scaled up by pixel repetition into
// a 0x00RRGGBB buffer (FFmpeg's bgr0 on a little-endian machine) that FFV1
// takes as it is and libswscale turns into 4:2:0 for H.264 and VP9. Each
// frame is held until the next one shows when it ended; a frame that stood
// longer than its slot is encoded once and the next one's time stamp leaves
// the gap, so a slow machine never falls further behind re-encoding repeats.
// The sound never runs ahead of the picture; at the end it is cut or padded
// to the picture's length exactly.
#include "platform/RECORD.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <string>
#include <system_error>
#include <vector>

namespace {

std::string failure;
std::mutex soundLock;                 // guards incoming and accepting: RECORD_sound may come from the audio thread
std::vector<std::int16_t> incoming;
bool accepting = false;

}  // namespace

void RECORD_sound(const std::int16_t* values, std::int32_t n)
{
    if (values == nullptr || n <= 0) return;
    const std::lock_guard<std::mutex> guard(soundLock);
    if (accepting) incoming.insert(incoming.end(), values, values + n);
}

const char* RECORD_error()
{
    return failure.c_str();
}

#ifdef QORN_HAVE_FFMPEG

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

namespace {

constexpr std::int32_t soundRate = 44100;

struct Kind {
    const char* ending;
    const char* format;
    const char* video;         // encoder by name, else the first for videoId
    AVCodecID videoId;
    AVPixelFormat pixels;
    const char* audio;
    AVCodecID audioId;
    AVSampleFormat samples;
    std::int32_t audioRate;    // Opus has no 44100 Hz: resampled to 48000
    std::int64_t audioBits;    // bit rate, 0 for lossless
};

const Kind kinds[] = {
    {".mkv", "matroska", "ffv1", AV_CODEC_ID_FFV1, AV_PIX_FMT_BGR0, "flac", AV_CODEC_ID_FLAC, AV_SAMPLE_FMT_S16, 44100, 0},
    {".mp4", "mp4", "libx264", AV_CODEC_ID_H264, AV_PIX_FMT_YUV420P, "aac", AV_CODEC_ID_AAC, AV_SAMPLE_FMT_FLTP, 44100, 128000},
    {".webm", "webm", "libvpx-vp9", AV_CODEC_ID_VP9, AV_PIX_FMT_YUV420P, "libopus", AV_CODEC_ID_OPUS, AV_SAMPLE_FMT_S16, 48000, 96000},
};

struct State {
    AVFormatContext* out = nullptr;
    AVCodecContext* video = nullptr;
    AVCodecContext* audio = nullptr;
    AVStream* videoStream = nullptr;
    AVStream* audioStream = nullptr;
    SwsContext* sws = nullptr;
    SwrContext* swr = nullptr;
    AVFrame* picture = nullptr;
    AVFrame* sound = nullptr;
    AVPacket* packet = nullptr;
    bool fileOpen = false;
    bool headerWritten = false;
    std::string path;
    std::int32_t frameWidth = 0, frameHeight = 0, scale = 1, width = 0, height = 0;
    RECORD_TIMING timing = RECORD_TIMING::EXACT;
    std::uint32_t startTicks = 0;
    std::vector<std::uint32_t> held;    // the last frame, scaled, waiting for its end
    bool haveHeld = false;
    std::int64_t heldSlot = 0;
    std::int64_t framesOut = 0;         // frame slots sent to the encoder
    std::vector<std::int16_t> input;    // sound at 44100 Hz not yet taken
    std::int64_t valuesTaken = 0;       // sound values at 44100 Hz sent on, silence included
    std::vector<std::int16_t> queue;    // sound at the encoder's rate waiting for a whole encoder frame
    std::int64_t valuesEncoded = 0;     // at the encoder's rate: the next sound frame's time stamp
    std::int32_t soundFrame = 0;        // values an encoder frame holds
    bool smallLast = false;
    bool failed = false;
};

State state;
bool active = false;

void fail(const std::string& what, int code = 0)
{
    if (!state.failed) {
        char text[AV_ERROR_MAX_STRING_SIZE] = "";
        if (code < 0) av_strerror(code, text, sizeof text);
        failure = state.path + ": " + what + (code < 0 ? std::string(" (") + text + ")" : std::string());
    }
    state.failed = true;
}

bool endsWith(const std::string& s, const char* ending)
{
    const std::size_t n = std::strlen(ending);
    if (s.size() < n) return false;
    for (std::size_t i = 0; i < n; ++i) {
        char c = s[s.size() - n + i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != ending[i]) return false;
    }
    return true;
}

void release()
{
    if (state.fileOpen && state.out != nullptr) avio_closep(&state.out->pb);
    avcodec_free_context(&state.video);
    avcodec_free_context(&state.audio);
    avformat_free_context(state.out);
    sws_freeContext(state.sws);
    swr_free(&state.swr);
    av_frame_free(&state.picture);
    av_frame_free(&state.sound);
    av_packet_free(&state.packet);
    const bool failed = state.failed;
    state = State{};
    state.failed = failed;
}

// Packets the encoder has ready go to the file; the muxer interleaves them.
void drain(AVCodecContext* codec, AVStream* stream)
{
    while (!state.failed) {
        const int r = avcodec_receive_packet(codec, state.packet);
        if (r == AVERROR(EAGAIN) || r == AVERROR_EOF) return;
        if (r < 0) { fail("encoding failed", r); return; }
        if (codec == state.video && state.packet->duration == 0) state.packet->duration = 1;
        av_packet_rescale_ts(state.packet, codec->time_base, stream->time_base);
        state.packet->stream_index = stream->index;
        const int w = av_interleaved_write_frame(state.out, state.packet);
        if (w < 0) { fail("write failed", w); return; }
        if (state.out->pb != nullptr && state.out->pb->error < 0) { fail("write failed", state.out->pb->error); return; }
    }
}

void send(AVCodecContext* codec, AVStream* stream, AVFrame* frame)
{
    if (state.failed) return;
    const int r = avcodec_send_frame(codec, frame);
    if (r < 0) { fail("encoding failed", r); return; }
    drain(codec, stream);
}

void sendPicture(std::int64_t slot)
{
    if (state.failed) return;
    const int r = av_frame_make_writable(state.picture);
    if (r < 0) { fail("out of memory", r); return; }
    const std::size_t rowBytes = static_cast<std::size_t>(state.width) * 4u;
    if (state.sws == nullptr) {
        for (std::int32_t y = 0; y < state.height; ++y)
            std::memcpy(state.picture->data[0] + static_cast<std::ptrdiff_t>(y) * state.picture->linesize[0],
                        state.held.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(state.width), rowBytes);
    } else {
        const std::uint8_t* planes[1] = {reinterpret_cast<const std::uint8_t*>(state.held.data())};
        const int strides[1] = {static_cast<int>(rowBytes)};
        sws_scale(state.sws, planes, strides, 0, state.height, state.picture->data, state.picture->linesize);
    }
    state.picture->pts = slot;
    send(state.video, state.videoStream, state.picture);
    state.framesOut = slot + 1;
}

void sendSoundFrame(const std::int16_t* values, std::int32_t n)
{
    if (state.failed) return;
    AVFrame* f = state.sound;
    const int r = av_frame_make_writable(f);
    if (r < 0) { fail("out of memory", r); return; }
    f->nb_samples = n;
    if (state.audio->sample_fmt == AV_SAMPLE_FMT_FLTP) {
        auto* out = reinterpret_cast<float*>(f->data[0]);
        for (std::int32_t i = 0; i < n; ++i) out[i] = static_cast<float>(values[i]) / 32768.0f;
    } else {
        std::memcpy(f->data[0], values, static_cast<std::size_t>(n) * sizeof(std::int16_t));
    }
    f->pts = state.valuesEncoded;
    state.valuesEncoded += n;
    send(state.audio, state.audioStream, f);
}

void takeIncoming()
{
    const std::lock_guard<std::mutex> guard(soundLock);
    state.input.insert(state.input.end(), incoming.begin(), incoming.end());
    incoming.clear();
}

// Sound at 44100 Hz on its way to the encoder: through the resampler where
// the encoder wants another rate, then every whole encoder frame is sent.
void feedSound(const std::vector<std::int16_t>& values)
{
    if (state.failed) return;
    state.valuesTaken += static_cast<std::int64_t>(values.size());
    if (state.swr == nullptr) {
        state.queue.insert(state.queue.end(), values.begin(), values.end());
    } else if (!values.empty()) {   // no input at all would flush the filter
        const int room = std::max(swr_get_out_samples(state.swr, static_cast<int>(values.size())), 0) + 256;
        std::vector<std::int16_t> out(static_cast<std::size_t>(room));
        std::uint8_t* outPlanes[1] = {reinterpret_cast<std::uint8_t*>(out.data())};
        const std::uint8_t* inPlanes[1] = {reinterpret_cast<const std::uint8_t*>(values.data())};
        const int got = swr_convert(state.swr, outPlanes, room, inPlanes, static_cast<int>(values.size()));
        if (got < 0) { fail("resampling failed", got); return; }
        state.queue.insert(state.queue.end(), out.begin(), out.begin() + got);
    }
    std::size_t at = 0;
    const auto frame = static_cast<std::size_t>(state.soundFrame);
    while (state.queue.size() - at >= frame && !state.failed) {
        sendSoundFrame(state.queue.data() + at, state.soundFrame);
        at += frame;
    }
    state.queue.erase(state.queue.begin(), state.queue.begin() + static_cast<std::ptrdiff_t>(at));
}

// Takes n values from the input, silence where it has fewer.
void feedFromInput(std::int64_t n)
{
    const auto have = static_cast<std::int64_t>(state.input.size());
    const std::int64_t take = std::clamp<std::int64_t>(n, 0, have);
    std::vector<std::int16_t> values(state.input.begin(), state.input.begin() + static_cast<std::ptrdiff_t>(take));
    state.input.erase(state.input.begin(), state.input.begin() + static_cast<std::ptrdiff_t>(take));
    values.resize(static_cast<std::size_t>(std::max<std::int64_t>(n, 0)), 0);
    feedSound(values);
}

// The end of the sound: what the resampler holds, then exactly the
// picture's length at the encoder's rate, the last frame short or padded.
void finishSound()
{
    if (state.failed) return;
    const std::int64_t total = state.framesOut * RECORD_VALUES_PER_FRAME;
    if (state.valuesTaken < total) feedFromInput(total - state.valuesTaken);
    if (state.swr != nullptr) {
        std::vector<std::int16_t> out(4096);
        std::uint8_t* outPlanes[1] = {reinterpret_cast<std::uint8_t*>(out.data())};
        for (int got = 1; got > 0;) {
            got = swr_convert(state.swr, outPlanes, static_cast<int>(out.size()), nullptr, 0);
            if (got > 0) state.queue.insert(state.queue.end(), out.begin(), out.begin() + got);
        }
    }
    const std::int64_t wanted = total * state.audio->sample_rate / soundRate;
    state.queue.resize(static_cast<std::size_t>(std::max<std::int64_t>(0, wanted - state.valuesEncoded)), 0);
    const auto frame = static_cast<std::size_t>(state.soundFrame);
    std::size_t at = 0;
    while (state.queue.size() - at >= frame && !state.failed) {
        sendSoundFrame(state.queue.data() + at, state.soundFrame);
        at += frame;
    }
    if (at < state.queue.size() && !state.failed) {
        const auto rest = static_cast<std::int32_t>(state.queue.size() - at);
        if (!state.smallLast) state.queue.resize(at + frame, 0);
        sendSoundFrame(state.queue.data() + at, state.smallLast ? rest : state.soundFrame);
    }
    state.queue.clear();
}

// The sound due with the frames sent so far, as far as it has come.
void feedDue()
{
    const std::int64_t due = state.framesOut * RECORD_VALUES_PER_FRAME - state.valuesTaken;
    feedFromInput(std::min<std::int64_t>(due, static_cast<std::int64_t>(state.input.size())));
}

// EXACT timing: the held frame's slot ends with the next frame, and 882
// values of the sound go with every frame. The clock may render a frame's
// sound a little later than the frame (the headless clock completes a slot
// at the next present); more than a slot's worth beyond what is due means
// the frame stood longer (a pause): it repeats.
void closeExactSlot(bool end)
{
    takeIncoming();
    sendPicture(state.heldSlot);
    state.heldSlot += 1;
    feedDue();
    while (!end && !state.failed && static_cast<std::int64_t>(state.input.size()) >= RECORD_VALUES_PER_FRAME) {
        state.framesOut = ++state.heldSlot;   // the frame stands on: the next one comes a slot later
        feedDue();
    }
}

// CLOCK timing: the sound goes on as heard, up to where the picture is.
void takeClockSound()
{
    takeIncoming();
    feedDue();
}

const AVCodec* encoder(const char* name, AVCodecID id)
{
    const AVCodec* c = avcodec_find_encoder_by_name(name);
    return c != nullptr ? c : avcodec_find_encoder(id);
}

template <typename T>
bool offers(const T* list, T want, T end)
{
    if (list == nullptr) return true;
    for (; *list != end; ++list)
        if (*list == want) return true;
    return false;
}

bool openVideo(const Kind& k)
{
    const AVCodec* codec = encoder(k.video, k.videoId);
    if (codec == nullptr) { fail(std::string("this FFmpeg has no ") + k.video + " encoder"); return false; }
    if (!offers(codec->pix_fmts, k.pixels, AV_PIX_FMT_NONE)) { fail(std::string(codec->name) + " lacks the pixel format"); return false; }
    AVCodecContext* c = avcodec_alloc_context3(codec);
    state.video = c;
    if (c == nullptr) { fail("out of memory"); return false; }
    c->width = state.width;
    c->height = state.height;
    c->pix_fmt = k.pixels;
    c->time_base = AVRational{1, RECORD_RATE};
    c->framerate = AVRational{RECORD_RATE, 1};
    c->sample_aspect_ratio = AVRational{1, 1};
    c->thread_count = 2;
    AVDictionary* options = nullptr;
    if (k.videoId == AV_CODEC_ID_FFV1) {
        c->level = 3;
        c->gop_size = 1;
        av_dict_set(&options, "slicecrc", "1", 0);
    } else {
        c->gop_size = 250;
        c->colorspace = AVCOL_SPC_SMPTE170M;   // libswscale's default matrix
        c->color_range = AVCOL_RANGE_MPEG;
        if (k.videoId == AV_CODEC_ID_H264) {
            av_dict_set(&options, "preset", "veryfast", 0);
            av_dict_set(&options, "crf", "18", 0);
        } else {
            c->bit_rate = 0;
            av_dict_set(&options, "crf", "30", 0);
            av_dict_set(&options, "deadline", "realtime", 0);
            av_dict_set(&options, "cpu-used", "8", 0);
            av_dict_set(&options, "row-mt", "1", 0);
        }
    }
    if ((state.out->oformat->flags & AVFMT_GLOBALHEADER) != 0) c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    const int r = avcodec_open2(c, codec, &options);
    av_dict_free(&options);
    if (r < 0) { fail(std::string("cannot start the ") + codec->name + " encoder", r); return false; }
    state.videoStream = avformat_new_stream(state.out, nullptr);
    if (state.videoStream == nullptr) { fail("out of memory"); return false; }
    state.videoStream->time_base = c->time_base;
    state.videoStream->avg_frame_rate = c->framerate;
    state.videoStream->sample_aspect_ratio = c->sample_aspect_ratio;
    if (avcodec_parameters_from_context(state.videoStream->codecpar, c) < 0) { fail("out of memory"); return false; }
    state.picture = av_frame_alloc();
    if (state.picture == nullptr) { fail("out of memory"); return false; }
    state.picture->format = c->pix_fmt;
    state.picture->width = c->width;
    state.picture->height = c->height;
    if (av_frame_get_buffer(state.picture, 0) < 0) { fail("out of memory"); return false; }
    if (k.pixels != AV_PIX_FMT_BGR0) {
        state.sws = sws_getContext(state.width, state.height, AV_PIX_FMT_BGR0, state.width, state.height, k.pixels,
                                   SWS_POINT, nullptr, nullptr, nullptr);
        if (state.sws == nullptr) { fail("cannot convert the colours"); return false; }
    }
    return true;
}

bool openAudio(const Kind& k)
{
    const AVCodec* codec = encoder(k.audio, k.audioId);
    if (codec == nullptr) { fail(std::string("this FFmpeg has no ") + k.audio + " encoder"); return false; }
    if (!offers(codec->sample_fmts, k.samples, AV_SAMPLE_FMT_NONE)) { fail(std::string(codec->name) + " lacks the sample format"); return false; }
    AVCodecContext* c = avcodec_alloc_context3(codec);
    state.audio = c;
    if (c == nullptr) { fail("out of memory"); return false; }
    c->sample_fmt = k.samples;
    c->sample_rate = k.audioRate;
    av_channel_layout_default(&c->ch_layout, 1);
    c->time_base = AVRational{1, k.audioRate};
    c->bit_rate = k.audioBits;
    c->thread_count = 1;
    if ((state.out->oformat->flags & AVFMT_GLOBALHEADER) != 0) c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    const int r = avcodec_open2(c, codec, nullptr);
    if (r < 0) { fail(std::string("cannot start the ") + codec->name + " encoder", r); return false; }
    const bool variable = (codec->capabilities & AV_CODEC_CAP_VARIABLE_FRAME_SIZE) != 0;
    state.soundFrame = (c->frame_size > 0 && !variable) ? c->frame_size : RECORD_VALUES_PER_FRAME;
    state.smallLast = variable || (codec->capabilities & AV_CODEC_CAP_SMALL_LAST_FRAME) != 0;
    state.audioStream = avformat_new_stream(state.out, nullptr);
    if (state.audioStream == nullptr) { fail("out of memory"); return false; }
    state.audioStream->time_base = c->time_base;
    if (avcodec_parameters_from_context(state.audioStream->codecpar, c) < 0) { fail("out of memory"); return false; }
    state.sound = av_frame_alloc();
    if (state.sound == nullptr) { fail("out of memory"); return false; }
    state.sound->format = c->sample_fmt;
    state.sound->sample_rate = c->sample_rate;
    state.sound->nb_samples = state.soundFrame;
    if (av_channel_layout_copy(&state.sound->ch_layout, &c->ch_layout) < 0 || av_frame_get_buffer(state.sound, 0) < 0) {
        fail("out of memory");
        return false;
    }
    if (k.audioRate != soundRate) {
        AVChannelLayout mono = AV_CHANNEL_LAYOUT_MONO;
        if (swr_alloc_set_opts2(&state.swr, &mono, AV_SAMPLE_FMT_S16, k.audioRate, &mono, AV_SAMPLE_FMT_S16, soundRate, 0,
                                nullptr) < 0 ||
            swr_init(state.swr) < 0) {
            fail("cannot resample the sound");
            return false;
        }
    }
    return true;
}

}  // namespace

bool RECORD_available()
{
    return true;
}

bool RECORD_open(const char* path, std::int32_t frameWidth, std::int32_t frameHeight, std::int32_t scale,
                 RECORD_TIMING timing, std::uint32_t startTicks, char* error, std::size_t errorSize)
{
    auto refuse = [&](const std::string& text) {
        if (error != nullptr && errorSize > 0) std::snprintf(error, errorSize, "%s", text.c_str());
        return false;
    };
    if (active) return refuse("a recording is already running");
    failure.clear();
    state = State{};
    state.path = path != nullptr ? path : "";
    if (state.path.empty()) return refuse("no file name for the recording");
    if (frameWidth <= 0 || frameHeight <= 0 || scale < 1 || scale > 64 || frameWidth > 16384 / scale ||
        frameHeight > 16384 / scale)
        return refuse(state.path + ": bad picture size");
    const Kind* kind = nullptr;
    for (const Kind& k : kinds)
        if (endsWith(state.path, k.ending)) kind = &k;
    if (kind == nullptr) return refuse(state.path + ": unknown kind of recording; the name must end in .mkv, .mp4 or .webm");
    state.frameWidth = frameWidth;
    state.frameHeight = frameHeight;
    state.scale = scale;
    state.width = frameWidth * scale;
    state.height = frameHeight * scale;
    state.timing = timing;
    state.startTicks = startTicks;
    state.held.assign(static_cast<std::size_t>(state.width) * static_cast<std::size_t>(state.height), 0);
    av_log_set_level(AV_LOG_ERROR);
    int r = avformat_alloc_output_context2(&state.out, nullptr, kind->format, state.path.c_str());
    if (r < 0 || state.out == nullptr) fail("cannot make the container", r);
    state.packet = state.failed ? nullptr : av_packet_alloc();
    if (!state.failed && state.packet == nullptr) fail("out of memory");
    if (!state.failed && openVideo(*kind) && openAudio(*kind)) {
        r = avio_open(&state.out->pb, state.path.c_str(), AVIO_FLAG_WRITE);
        if (r < 0) fail("cannot create the file", r);
        else state.fileOpen = true;
    }
    if (!state.failed) {
        r = avformat_write_header(state.out, nullptr);
        if (r < 0) fail("cannot write the file's header", r);
        else state.headerWritten = true;
    }
    if (state.failed) {
        const std::string text = failure;
        const bool created = state.fileOpen;
        release();
        std::error_code ec;
        if (created && std::filesystem::is_regular_file(path, ec)) std::remove(path);   // never a device
        return refuse(text);
    }
    {
        const std::lock_guard<std::mutex> guard(soundLock);
        incoming.clear();
        accepting = true;
    }
    active = true;
    return true;
}

bool RECORD_active()
{
    return active;
}

namespace {

void holdFrame(const IMG* image)
{
    // Pixel repetition into the held buffer.
    const std::int32_t s = state.scale;
    for (std::int32_t y = 0; y < state.frameHeight; ++y) {
        const std::uint32_t* in = image->pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(state.frameWidth);
        std::uint32_t* out = state.held.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(s) * static_cast<std::size_t>(state.width);
        for (std::int32_t x = 0; x < state.frameWidth; ++x)
            for (std::int32_t r = 0; r < s; ++r) out[x * s + r] = in[x] & 0xFFFFFFu;
        for (std::int32_t r = 1; r < s; ++r)
            std::memcpy(out + static_cast<std::size_t>(r) * static_cast<std::size_t>(state.width), out,
                        static_cast<std::size_t>(state.width) * 4u);
    }
    state.haveHeld = true;
}

}  // namespace

bool RECORD_frame(const IMG* image, std::uint32_t ticks)
{
    if (!active || state.failed) return false;
    if (image == nullptr || image->pixels == nullptr || image->width != state.frameWidth || image->height != state.frameHeight) {
        fail("a frame of another size");
        return false;
    }
    if (state.timing == RECORD_TIMING::EXACT) {
        if (state.haveHeld) closeExactSlot(false);
        holdFrame(image);
        return !state.failed;
    }
    std::int64_t slot =
        (static_cast<std::int64_t>(static_cast<std::uint32_t>(ticks - state.startTicks)) + 1000 / RECORD_RATE / 2) /
        (1000 / RECORD_RATE);
    if (!state.haveHeld) {
        slot = 0;   // the first frame stands from the start
    } else if (slot > state.heldSlot) {
        sendPicture(state.heldSlot);   // it stood until this slot: the time stamps leave the gap
        state.framesOut = slot;
    } else {
        slot = state.heldSlot;   // the same slot: the later frame counts
    }
    holdFrame(image);
    state.heldSlot = slot;
    takeClockSound();
    return !state.failed;
}

bool RECORD_close()
{
    if (!active) return true;
    active = false;
    {
        const std::lock_guard<std::mutex> guard(soundLock);
        accepting = false;
    }
    if (state.haveHeld) {
        if (state.timing == RECORD_TIMING::EXACT) closeExactSlot(true);
        else sendPicture(state.heldSlot);
    }
    takeIncoming();
    finishSound();
    send(state.video, state.videoStream, nullptr);
    send(state.audio, state.audioStream, nullptr);
    if (state.headerWritten) {
        const int r = av_write_trailer(state.out);
        if (r < 0) fail("write failed", r);
    }
    if (state.fileOpen) {
        const int e = state.out->pb != nullptr ? state.out->pb->error : 0;
        if (e < 0) fail("write failed", e);
        const int r = avio_closep(&state.out->pb);
        state.fileOpen = false;
        if (r < 0) fail("write failed", r);
    }
    const bool ok = !state.failed;
    release();
    {
        const std::lock_guard<std::mutex> guard(soundLock);
        incoming.clear();
        incoming.shrink_to_fit();
    }
    return ok;
}

#else

bool RECORD_available()
{
    return false;
}

bool RECORD_open(const char*, std::int32_t, std::int32_t, std::int32_t, RECORD_TIMING, std::uint32_t, char* error,
                 std::size_t errorSize)
{
    if (error != nullptr && errorSize > 0)
        std::snprintf(error, errorSize, "this build cannot record (FFmpeg's libraries were not found)");
    (void)accepting;
    return false;
}

bool RECORD_active()
{
    return false;
}

bool RECORD_frame(const IMG*, std::uint32_t)
{
    return false;
}

bool RECORD_close()
{
    return true;
}

#endif
