#include <gtest/gtest.h>

#include <string_view>

#include "platform/HOST.h"
#include "platform/WINKBD.h"
#include "platform/WINMAIN.h"

TEST(WinkbdTranslate, KeepsTheDemosCharacters)
{
    for (const unsigned char k : std::string_view("7Z \x1B+-<>")) EXPECT_EQ(WINKBD_translate(k), k) << k;
    EXPECT_EQ(WINKBD_translate('q'), 'Q');   // shift state ignored
    for (const std::int32_t k : {0x3D, 0x2C, 0xBB}) EXPECT_EQ(WINKBD_translate(k), 0) << k;   // '=', ','
}

TEST(WinkbdPoll, OneKeyPerPollAndTheLastOneWins)
{
    HOST_reset();
    WINMAIN_lastKey = 0;
    WINKBD* keyboard = WINKBD_new();
    ASSERT_NE(keyboard, nullptr);
    EXPECT_EQ(WINKBD_new(), keyboard);   // one instance
    HOST_pushKey('5');
    HOST_pushKey('P');
    WINMAIN_pump();
    WINKBD_poll(keyboard);
    EXPECT_EQ(keyboard->chars[0], 'P');
    EXPECT_EQ(WINMAIN_lastKey, 0);
    keyboard->chars[0] = 'X';    // the driver's reader
    WINKBD_poll(keyboard);       // no key since: left as the driver left it
    EXPECT_EQ(keyboard->chars[0], 'X');
    HOST_pushKey('=');           // a key without a character gives 0
    WINMAIN_pump();
    WINKBD_poll(keyboard);
    EXPECT_EQ(keyboard->chars[0], 0);
    WINKBD_free(&keyboard);
    WINKBD* fresh = WINKBD_new();
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(fresh->chars[0], 0);
    WINKBD_free(&fresh);
    WINKBD_poll(nullptr);
}
