// FUZZ: what the fuzz targets share: a scratch file per process for the file
// loaders, the input as a zero-terminated text, and a check that stops the
// run with a message libFuzzer records as a crash.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// The path of this process's scratch file with the given ending (".ppm").
std::string FUZZ_scratchPath(const char* ending);
// Writes the bytes to the scratch file; aborts when that fails.
void FUZZ_writeScratch(const std::string& path, const std::uint8_t* data, std::size_t size);
// Aborts with the message when ok is false.
void FUZZ_check(bool ok, const char* message);
