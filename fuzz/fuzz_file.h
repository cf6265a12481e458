#pragma once

// The readers take a path, so every input is written to a file of this process first.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include <unistd.h>

namespace climstat::fuzz {

// A file of this process in memory-backed /dev/shm where there is one: rewriting a file on disk
// thousands of times a second waits for the disk on some file systems.
inline std::string inputPath(const char* name) {
    const char* folder = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    return std::string(folder) + "/climstat-fuzz-" + std::to_string(::getpid()) + "-" + name;
}

inline void writeInput(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) __builtin_trap();
    if (size > 0 && std::fwrite(data, 1, size, file) != size) __builtin_trap();
    std::fclose(file);
}

}  // namespace climstat::fuzz
