// Reads fuzzer bytes as a stream of small decisions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace kirabo::fuzz {

class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool empty() const { return at_ >= size_; }
    std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
    std::uint32_t Word() {
        std::uint32_t w = 0;
        for (int i = 0; i < 4; ++i) w = (w << 8) | Byte();
        return w;
    }
    std::int32_t Int() { return static_cast<std::int32_t>(Word()); }
    std::string Bytes(std::size_t most) {
        const std::size_t n = Byte() % (most + 1);
        std::string s;
        for (std::size_t i = 0; i < n && !empty(); ++i) s.push_back(static_cast<char>(Byte()));
        return s;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

}  // namespace kirabo::fuzz
