#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <span>

namespace qtr {

// Little-endian reading of a fixed record layout, field by field.
class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> data) : data_(data) {}

    std::uint8_t u8() { return data_[pos_++]; }
    std::uint16_t u16() {
        const auto v = static_cast<std::uint16_t>(data_[pos_] | data_[pos_ + 1] << 8);
        pos_ += 2;
        return v;
    }
    std::uint32_t u32() {
        std::uint32_t v = 0;
        for (int i = 3; i >= 0; --i) {
            v = v << 8 | data_[pos_ + static_cast<std::size_t>(i)];
        }
        pos_ += 4;
        return v;
    }
    std::int32_t i32() { return static_cast<std::int32_t>(u32()); }
    double f64() {
        std::uint64_t bits = 0;
        for (int i = 7; i >= 0; --i) {
            bits = bits << 8 | data_[pos_ + static_cast<std::size_t>(i)];
        }
        pos_ += 8;
        double v;
        std::memcpy(&v, &bits, sizeof v);
        return v;
    }
    // The next n bytes, without copying.
    std::span<const std::uint8_t> bytes(std::size_t n) {
        auto s = data_.subspan(pos_, n);
        pos_ += n;
        return s;
    }
    template <typename T> T field() { return T::fromBytes(bytes(T::kSize)); }
    template <std::size_t N> void copyTo(std::array<std::uint8_t, N>& out) {
        std::memcpy(out.data(), data_.data() + pos_, N);
        pos_ += N;
    }

    std::size_t position() const { return pos_; }

private:
    std::span<const std::uint8_t> data_;
    std::size_t pos_ = 0;
};

// Little-endian writing of a fixed record layout, field by field.
class ByteWriter {
public:
    explicit ByteWriter(std::span<std::uint8_t> data) : data_(data) {}

    void u8(std::uint8_t v) { data_[pos_++] = v; }
    void u16(std::uint16_t v) {
        data_[pos_++] = static_cast<std::uint8_t>(v);
        data_[pos_++] = static_cast<std::uint8_t>(v >> 8);
    }
    void u32(std::uint32_t v) {
        for (int i = 0; i < 4; ++i) {
            data_[pos_++] = static_cast<std::uint8_t>(v >> (8 * i));
        }
    }
    void i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }
    void f64(double v) {
        std::uint64_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        for (int i = 0; i < 8; ++i) {
            data_[pos_++] = static_cast<std::uint8_t>(bits >> (8 * i));
        }
    }
    void bytes(std::span<const std::uint8_t> b) {
        std::memcpy(data_.data() + pos_, b.data(), b.size());
        pos_ += b.size();
    }
    template <typename T> void field(const T& value) {
        value.toBytes(data_.subspan(pos_, T::kSize));
        pos_ += T::kSize;
    }

    std::size_t position() const { return pos_; }

private:
    std::span<std::uint8_t> data_;
    std::size_t pos_ = 0;
};

} // namespace qtr
