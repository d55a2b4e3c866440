#include <gtest/gtest.h>

#include "platform/HOST.h"
#include "platform/WINKBD.h"
#include "platform/WINMAIN.h"

TEST(WinkbdTranslate, KeepsTheDemosCharacters)
{
    EXPECT_EQ(WINKBD_translate('7'), '7');
    EXPECT_EQ(WINKBD_translate('Z'), 'Z');
    EXPECT_EQ(WINKBD_translate('q'), 'Q');   // shift state ignored
    EXPECT_EQ(WINKBD_translate(' '), ' ');
    EXPECT_EQ(WINKBD_translate(27), 27);
    EXPECT_EQ(WINKBD_translate('+'), '+');
    EXPECT_EQ(WINKBD_translate('-'), '-');
    EXPECT_EQ(WINKBD_translate('<'), '<');
    EXPECT_EQ(WINKBD_translate('>'), '>');
    EXPECT_EQ(WINKBD_translate('='), 0);
    EXPECT_EQ(WINKBD_translate(','), 0);
    EXPECT_EQ(WINKBD_translate(0xBB), 0);
}

TEST(WinkbdPoll, OneKeyPerPollAndTheLastOneWins)
{
    HOST_reset();
    WINMAIN_lastKey = 0;
    WINKBD* keyboard = WINKBD_new();
    ASSERT_NE(keyboard, nullptr);
    EXPECT_EQ(WINKBD_new(), keyboard);   // one instance
    EXPECT_EQ(keyboard->chars[0], 0);

    HOST_pushKey('5');
    HOST_pushKey('P');
    WINMAIN_pump();
    WINKBD_poll(keyboard);
    EXPECT_EQ(keyboard->chars[0], 'P');
    EXPECT_EQ(WINMAIN_lastKey, 0);

    keyboard->chars[0] = 0;      // the driver's reader
    WINKBD_poll(keyboard);       // no key since: left as the driver left it
    EXPECT_EQ(keyboard->chars[0], 0);
    keyboard->chars[0] = 'X';
    WINKBD_poll(keyboard);
    EXPECT_EQ(keyboard->chars[0], 'X');

    HOST_pushKey('=');           // a key without a character gives 0
    WINMAIN_pump();
    WINKBD_poll(keyboard);
    EXPECT_EQ(keyboard->chars[0], 0);

    WINKBD_free(&keyboard);
    EXPECT_EQ(keyboard, nullptr);
    WINKBD* fresh = WINKBD_new();
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(fresh->chars[0], 0);
    WINKBD_free(&fresh);
    WINKBD_poll(nullptr);
}
