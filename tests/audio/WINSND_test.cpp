#include <gtest/gtest.h>

#include <vector>

#include "audio/WINSND.h"
#include "foundation/RANDOM.h"

namespace {

std::int32_t word(const WINSND* s, std::int32_t i)
{
    return static_cast<std::int16_t>(s->image[64 + 2 * i] | s->image[65 + 2 * i] << 8);
}

SAMPLE* filled(std::int32_t n, std::int32_t value)
{
    SAMPLE* s = SAMPLE_new();
    SAMPLE_setCount(s, n);
    for (std::int32_t i = 0; i < n; ++i) s->values[i] = value;
    return s;
}

}  // namespace

TEST(WinsndImage, HeaderNoiseAndAQueueOfWholeSeconds)
{
    RANDOM_srand(1234);
    WINSND* s = WINSND_new();
    const std::uint8_t header[64] = {
        'R', 'I', 'F', 'F', 0xC0, 0x58, 0x01, 0x00, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ',
        16, 0, 0, 0, 1, 0, 1, 0, 0x44, 0xAC, 0, 0, 0x88, 0x58, 0x01, 0x00,
        2, 0, 16, 0, 'I', 'N', 'F', 'O', 12, 0, 0, 0, 'Q', 'O', 'R', 'N',
        'N', ' ', 'K', ' ', '*', '(', ')', '-', 'd', 'a', 't', 'a', 0x88, 0x58, 0x01, 0x00};
    EXPECT_EQ(std::vector<std::uint8_t>(s->image, s->image + 64), std::vector<std::uint8_t>(header, header + 64));
    EXPECT_EQ(WINSND_IMAGE_BYTES, 88264);   // the header's 88256 + 8

    // Faint noise, (random30 & 0x1ff) - 255, drawn in index order after seed 1234.
    EXPECT_EQ((std::vector{word(s, 0), word(s, 1), word(s, 2)}), (std::vector{-42, -201, -218}));
    for (int i = 0; i < 44100; ++i) ASSERT_TRUE(word(s, i) >= -255 && word(s, i) <= 256) << i << ": " << word(s, i);

    EXPECT_FALSE(WINSND_playNext(s));   // empty queue
    SAMPLE* half = filled(22050, 5);
    LIST_push(s->queue, half);
    EXPECT_FALSE(WINSND_playNext(s));   // dropped: not one second
    EXPECT_EQ(s->queue->count, 0);
    EXPECT_EQ(s->current, half);
    EXPECT_EQ(word(s, 0), -42);

    SAMPLE* loud = filled(44100, 40000);
    loud->values[1] = -40000;
    loud->values[2] = -1234;
    LIST_push(s->queue, loud);
    LIST_push(s->queue, loud);
    EXPECT_TRUE(WINSND_playNext(s));
    EXPECT_EQ(s->queue->count, 1);
    EXPECT_EQ((std::vector{word(s, 0), word(s, 1), word(s, 2)}), (std::vector{32767, -32768, -1234}));   // clamped, not wrapped
    EXPECT_EQ(s->image[60], 0x88);  // sizes hold for any content
    EXPECT_EQ(s->image[4], 0xC0);
    EXPECT_EQ(s->position, 0);
    EXPECT_TRUE(WINSND_playNextOnce(s));
    WINSND_stop();

    LIST_free(&s->queue);
    EXPECT_FALSE(WINSND_playNext(s));   // makes a new queue
    EXPECT_NE(s->queue, nullptr);
    WINSND_free(&s);
    SAMPLE_free(&half);
    SAMPLE_free(&loud);
}
