// Helpers for the picture and byte-map tests: data given as a string, and a
// scratch directory that lives as long as the test.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace support {

inline std::vector<std::uint8_t> bytesOf(const std::string& s) { return {s.begin(), s.end()}; }

// A directory of its own for the running test, removed with everything in it.
class Scratch {
public:
    Scratch()
        : dir_(std::filesystem::temp_directory_path() /
               ("qorn_" + std::to_string(::getpid()) + "_" + testing::UnitTest::GetInstance()->current_test_info()->name()))
    {
        std::filesystem::create_directories(dir_);
    }
    ~Scratch() { std::filesystem::remove_all(dir_); }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;
    std::string path(const std::string& name) const { return (dir_ / name).string(); }
    std::string dir() const { return dir_.string(); }
    std::string write(const std::string& name, const std::string& content) const
    {
        std::ofstream(path(name), std::ios::binary) << content;
        return path(name);
    }

private:
    std::filesystem::path dir_;
};

}  // namespace support
