#pragma once
// What the fuzzers share: a fault check that stops the run, a reader of the input's
// bytes, and hives for the whole run: in memory, or in a temporary folder's files when
// HORVANE_FUZZ_HIVE_FILES is set (the smoke run of scripts/fuzz.sh).

#include "testing/TemporaryHives.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace horvane::fuzz {

// A broken promise of the code under test: report it and stop, so that libFuzzer keeps
// the input.
inline void Require(bool holds, const char* promise) {
    if (holds)
        return;
    std::fprintf(stderr, "Broken promise: %s\n", promise);
    std::abort();
}

// Takes the input apart front to back; past its end every read gives zero or empty.
class ByteReader {
public:
    ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool AtEnd() const { return position_ >= size_; }
    std::uint8_t Byte() { return AtEnd() ? 0 : data_[position_++]; }
    // A length byte followed by that many bytes.
    std::string ShortText() { return Bytes(Byte()); }
    std::string Bytes(std::size_t count) {
        const std::size_t taken = std::min(count, size_ - std::min(position_, size_));
        std::string bytes(reinterpret_cast<const char*>(data_) + position_, taken);
        position_ += taken;
        return bytes;
    }
    std::string Rest() { return Bytes(size_); }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
};

// Points the registry at hives of these names: in SQLite's in-memory file system, where
// every input costs no disk, or in files as the program keeps them.
inline void UseHives(const RegistryHiveLocations& names) {
    static const bool inFiles = std::getenv("HORVANE_FUZZ_HIVE_FILES") != nullptr;
    if (inFiles)
        SetRegistryHiveLocations(names);
    else
        SetRegistryHivesInMemory(names);
}

// The run's folder (TMPDIR decides where), with the registry's hives named in it for the
// whole run.
inline TemporaryHives& RunHives() {
    static TemporaryHives hives;
    static const bool placed = (UseHives({hives.UserHive(), hives.MachineHive()}), true);
    (void)placed;
    return hives;
}

} // namespace horvane::fuzz
