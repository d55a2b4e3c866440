// WINKBD: the keyboard. Each poll turns the last key the window reported
// into a character for the driver, which reads and clears it once a frame.
#pragma once
#include <cstdint>

#include "foundation/MODID.h"

struct WINKBD {
    std::uint8_t* chars;   // owned, 8 bytes; byte 0: character of the last key taken, 0 when none
    std::int32_t code;     // 0; the driver's key reader clears it with chars[0]
};

extern const MODID WINKBD_ID;
extern std::uint8_t WINKBD_debug;          // 0 at start; nothing sets it

WINKBD* WINKBD_new();                      // the one keyboard: later calls return it; null after WINKBD_error
void WINKBD_free(WINKBD** keyboard);       // frees, stores null, forgets the instance
void WINKBD_poll(WINKBD* keyboard);        // takes the last key of the window, if any, into chars[0]
std::uint8_t WINKBD_translate(std::uint8_t key);   // '0'-'9', 'A'-'Z', space, Escape, + - < >; else 0
void WINKBD_error();                       // "WINKBD error\n" while WINKBD_debug != 0
