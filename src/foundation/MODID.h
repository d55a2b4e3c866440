// MODID: the identification record every module carries. Five 12-byte text
// fields, each blank-padded to eight characters and zero-terminated. The
// records identify the build; nothing reads them.
#pragma once

struct MODID {
    char name[12];       // "IMG     "
    char date[12];       // "20161206"
    char author[12];     // "VANTOLEK"
    char language[12];   // "C       " or "WINDOWS "
    char kind[12];       // "CODE    " or "PROGRAM "
};
static_assert(sizeof(MODID) == 60);

// The usual record of a library module: MODID_CODE("IMG     ").
#define MODID_CODE(name8) MODID{name8, "20161206", "VANTOLEK", "C       ", "CODE    "}
// The record of a platform module.
#define MODID_WINDOWS(name8) MODID{name8, "20161206", "VANTOLEK", "WINDOWS ", "CODE    "}
