#pragma once

#include <cstdint>
#include <random>
#include <span>

namespace qtr {

// Where the account file's filler bytes come from. The program draws them from the
// operating system; tests seed a generator so the file's bytes can be pinned.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual std::uint8_t nextByte() = 0;
    void fill(std::span<std::uint8_t> bytes) {
        for (auto& b : bytes) {
            b = nextByte();
        }
    }
};

class SystemRandomSource final : public RandomSource {
public:
    std::uint8_t nextByte() override { return static_cast<std::uint8_t>(device_() & 0xFF); }

private:
    std::random_device device_;
};

// A fixed sequence for a given seed (std::mt19937, low byte of each draw).
class SeededRandomSource final : public RandomSource {
public:
    explicit SeededRandomSource(std::uint32_t seed) : engine_(seed) {}
    std::uint8_t nextByte() override { return static_cast<std::uint8_t>(engine_() & 0xFF); }

private:
    std::mt19937 engine_;
};

} // namespace qtr
