// WINKBD: key translation and the keyboard poll. The window layer already
// reports keys as characters; translation keeps the ones the demo knows,
// capitalises letters (shift state is ignored) and drops everything else.
#include "platform/WINKBD.h"

#include <cstdio>
#include <new>

#include "platform/WINMAIN.h"

const MODID WINKBD_ID = MODID_WINDOWS("WINKBD  ");
std::uint8_t WINKBD_debug = 0;

namespace {

WINKBD* instance = nullptr;

}  // namespace

WINKBD* WINKBD_new()
{
    if (instance != nullptr) return instance;
    WINKBD* keyboard = new (std::nothrow) WINKBD{};
    std::uint8_t* chars = new (std::nothrow) std::uint8_t[8]();
    if (keyboard == nullptr || chars == nullptr) {
        delete keyboard;
        delete[] chars;
        WINKBD_error();
        return nullptr;
    }
    keyboard->chars = chars;
    instance = keyboard;
    return keyboard;
}

void WINKBD_free(WINKBD** keyboard)
{
    if (keyboard == nullptr || *keyboard == nullptr) { WINKBD_error(); return; }
    if (*keyboard == instance) instance = nullptr;
    delete[] (*keyboard)->chars;
    delete *keyboard;
    *keyboard = nullptr;
}

std::uint8_t WINKBD_translate(std::uint8_t key)
{
    if (key >= 'a' && key <= 'z') return static_cast<std::uint8_t>(key - 'a' + 'A');
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return key;
    switch (key) {
    case ' ': case 27: case '+': case '-': case '<': case '>': return key;
    default: return 0;
    }
}

// One key per poll: keys reported between two polls are lost except the last,
// because the window procedure keeps only the newest.
void WINKBD_poll(WINKBD* keyboard)
{
    if (keyboard == nullptr || keyboard->chars == nullptr) { WINKBD_error(); return; }
    if (WINMAIN_lastKey == 0) return;
    keyboard->chars[0] = WINKBD_translate(WINMAIN_lastKey);
    WINMAIN_lastKey = 0;
}

void WINKBD_error()
{
    if (WINKBD_debug != 0) std::fputs("WINKBD error\n", stdout);
}
