#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/RECORD.h"
#include "support/raster.h"
#include "support/support.h"

#ifdef QORN_HAVE_FFMPEG
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

namespace {

struct Decoded {
    std::int32_t width = 0, height = 0;
    std::vector<std::vector<std::uint32_t>> frames;   // bgr0 words
    std::vector<std::int64_t> slots;                  // each frame's time stamp in 50ths of a second
    std::vector<std::int16_t> sound;
};

// A whole file through FFmpeg's decoders: the picture must come back as lossless RGB, the sound as 16-bit values.
bool decode(const std::string& path, Decoded* d)
{
    AVFormatContext* in = nullptr;
    if (avformat_open_input(&in, path.c_str(), nullptr, nullptr) < 0) return false;
    bool ok = true;
    std::vector<AVCodecContext*> codecs;
    for (unsigned i = 0; i < in->nb_streams; ++i) {
        const AVCodec* c = avcodec_find_decoder(in->streams[i]->codecpar->codec_id);
        codecs.push_back(avcodec_alloc_context3(c));
        ok = ok && c != nullptr && avcodec_parameters_to_context(codecs.back(), in->streams[i]->codecpar) >= 0 &&
             avcodec_open2(codecs.back(), c, nullptr) >= 0;
    }
    AVPacket* packet = av_packet_alloc();
    AVFrame* f = av_frame_alloc();
    for (bool more = true; more;) {   // past the last packet, every decoder is drained
        more = av_read_frame(in, packet) >= 0;
        for (std::size_t s = 0; s < codecs.size(); ++s) {
            if (more && s != static_cast<std::size_t>(packet->stream_index)) continue;
            ok = ok && avcodec_send_packet(codecs[s], more ? packet : nullptr) >= 0;
            while (ok && avcodec_receive_frame(codecs[s], f) == 0) {
                if (codecs[s]->codec_type == AVMEDIA_TYPE_VIDEO) {
                    ok = f->format == AV_PIX_FMT_BGR0;
                    d->width = f->width;
                    d->height = f->height;
                    d->slots.push_back(av_rescale_q(f->best_effort_timestamp, in->streams[s]->time_base, AVRational{1, RECORD_RATE}));
                    auto& words = d->frames.emplace_back(static_cast<std::size_t>(f->width * f->height));
                    for (int y = 0; ok && y < f->height; ++y)
                        std::memcpy(&words[static_cast<std::size_t>(y * f->width)], f->data[0] + y * f->linesize[0], static_cast<std::size_t>(f->width) * 4);
                } else {
                    ok = f->format == AV_SAMPLE_FMT_S16;
                    const auto* v = reinterpret_cast<const std::int16_t*>(f->data[0]);
                    if (ok) d->sound.insert(d->sound.end(), v, v + f->nb_samples);
                }
            }
        }
        av_packet_unref(packet);
    }
    for (AVCodecContext*& c : codecs) avcodec_free_context(&c);
    av_frame_free(&f);
    av_packet_free(&packet);
    avformat_close_input(&in);
    return ok;
}

// Records 16 x 8 pixels of colour + their index (a size where each of FFV1's slices has rows).
bool recordFrame(std::uint32_t colour, std::uint32_t ticks)
{
    const support::Picture p(16, 8);
    for (std::uint32_t i = 0; i < 128; ++i) p.img->pixels[i] = colour + i;
    return RECORD_frame(p.img, ticks);
}

// Frame k of the file is recordFrame(colours[k]) enlarged by scale, in slot slots[k].
void expectFrames(const Decoded& d, const std::vector<std::uint32_t>& colours, const std::vector<std::int64_t>& slots, int scale)
{
    EXPECT_EQ(d.width, 16 * scale);
    EXPECT_EQ(d.height, 8 * scale);
    EXPECT_EQ(d.slots, slots);
    ASSERT_EQ(d.frames.size(), colours.size());
    for (std::size_t k = 0; k < colours.size(); ++k)
        for (int y = 0; y < 8 * scale; ++y)
            for (int x = 0; x < 16 * scale; ++x)
                ASSERT_EQ(d.frames[k][static_cast<std::size_t>(y * 16 * scale + x)] & 0xFFFFFFu,
                          colours[k] + static_cast<std::uint32_t>((y / scale) * 16 + x / scale)) << k << ": " << x << "," << y;
}

}  // namespace

TEST(RecordLossless, PictureAndSoundComeBackExactly)
{
    const support::Scratch dir;
    const std::string path = dir.path("exact.mkv");
    char error[600] = "";
    ASSERT_TRUE(RECORD_open(path.c_str(), 16, 8, 3, RECORD_TIMING::EXACT, 0, error, sizeof error)) << error;
    // The sound heard while each frame is on show: frame 2's comes late, frame 4 stood
    // two more slots and a bit (3 x 882 + 10, less what was still due).
    const std::size_t heardPerFrame[7] = {882, 882, 100, 882, 2656, 882, 882};
    std::vector<std::int16_t> expected;
    std::vector<std::uint32_t> colours;
    std::int32_t next = -30000;
    for (std::uint32_t f = 0; f < 7; ++f) {
        ASSERT_TRUE(recordFrame(colours.emplace_back(0x102030u * (f + 1)), 12345));   // the clock does not matter here
        std::vector<std::int16_t> sound(heardPerFrame[f]);
        for (auto& v : sound) v = static_cast<std::int16_t>(next = (next + 37) % 30000);
        RECORD_sound(sound.data(), static_cast<std::int32_t>(sound.size()));
        expected.insert(expected.end(), sound.begin(), sound.end());
    }
    RECORD_sound(expected.data(), 100);   // past the last frame: cut
    ASSERT_TRUE(RECORD_close()) << RECORD_error();
    expected.resize(8 * 882);   // the sound as it came, 882 values a frame
    Decoded d;
    ASSERT_TRUE(decode(path, &d));
    expectFrames(d, colours, {0, 1, 2, 3, 4, 6, 7}, 3);   // frame 4 stands two slots
    EXPECT_EQ(d.sound, expected);
}

// Shown at 1000, 1005 (same slot: replaces), 1045 (slot 2), 1100 (slot 5); the sound padded with silence.
TEST(RecordClock, FramesArePlacedByTheClockAndSoundPadded)
{
    const support::Scratch dir;
    const std::string path = dir.path("clock.mkv");
    char error[600] = "";
    ASSERT_TRUE(RECORD_open(path.c_str(), 16, 8, 1, RECORD_TIMING::CLOCK, 1000, error, sizeof error)) << error;
    const std::uint32_t ticks[] = {1000, 1005, 1045, 1100};
    for (std::uint32_t i = 0; i < 4; ++i) ASSERT_TRUE(recordFrame(0x100000u * (i + 1), ticks[i]));
    const std::int16_t some[3] = {5, -5, 7};
    RECORD_sound(some, 3);
    ASSERT_TRUE(RECORD_close()) << RECORD_error();
    Decoded d;
    ASSERT_TRUE(decode(path, &d));
    expectFrames(d, {0x200000, 0x300000, 0x400000}, {0, 2, 5}, 1);
    ASSERT_EQ(d.sound.size(), 6u * 882u);
    EXPECT_EQ(d.sound[2], 7);
    EXPECT_EQ(d.sound[3], 0);
}

TEST(RecordOpen, RefusesWhatItCannotWrite)
{
    struct Case { const char* path; const char* says; };
    char error[600];
    for (const Case& c : {Case{"/nonexistent-folder/x.mkv", "cannot create the file"}, {"", "no file name"}}) {
        error[0] = 0;
        EXPECT_FALSE(RECORD_open(c.path, 256, 256, 1, RECORD_TIMING::EXACT, 0, error, sizeof error));
        EXPECT_NE(std::string(error).find(c.says), std::string::npos) << error;
        EXPECT_FALSE(RECORD_active());
    }
    EXPECT_FALSE(RECORD_open("/tmp/x.mkv", 256, 256, 0, RECORD_TIMING::EXACT, 0, error, sizeof error));
    EXPECT_TRUE(RECORD_close());   // none open
}

// The container comes from the ending: a link named .mkv to the full device (record_test.sh checks the message).
TEST(RecordWrite, AFullDiskIsAFailure)
{
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    const support::Scratch dir;
    const std::string link = dir.path("full.mkv");
    std::filesystem::create_symlink("/dev/full", link);
    char error[600] = "";
    const bool opened = RECORD_open(link.c_str(), 16, 8, 1, RECORD_TIMING::EXACT, 0, error, sizeof error);
    bool ok = opened;
    for (std::uint32_t f = 0; ok && f < 50; ++f) ok = recordFrame(0x010101u * f, 0);
    if (opened) ok = RECORD_close() && ok;
    EXPECT_FALSE(ok) << "a recording to a full disk reported success";
    EXPECT_FALSE(RECORD_active());
}

#else

TEST(RecordOpen, SaysThisBuildCannotRecord)
{
    char error[600] = "";
    EXPECT_FALSE(RECORD_available());
    EXPECT_FALSE(RECORD_open("x.mkv", 256, 256, 1, RECORD_TIMING::EXACT, 0, error, sizeof error));
    EXPECT_NE(std::string(error).find("cannot record"), std::string::npos);
}

#endif
