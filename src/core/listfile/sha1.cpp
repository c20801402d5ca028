#include "listfile/sha1.h"

#include <algorithm>

namespace tarvoline {
namespace {

std::uint32_t RotateLeft(std::uint32_t value, int bits) {
    return (value << bits) | (value >> (32 - bits));
}

} // namespace

void Sha1::Reset() {
    state_ = {0x67452301u, 0xEFCDAB89u, 0x98BADCFEu, 0x10325476u, 0xC3D2E1F0u};
    blockUsed_ = 0;
    totalBytes_ = 0;
}

void Sha1::ProcessBlock(const unsigned char* block) {
    std::uint32_t w[80];
    for (int i = 0; i < 16; ++i) {
        w[i] = static_cast<std::uint32_t>(block[4 * i]) << 24 | static_cast<std::uint32_t>(block[4 * i + 1]) << 16 |
               static_cast<std::uint32_t>(block[4 * i + 2]) << 8 | static_cast<std::uint32_t>(block[4 * i + 3]);
    }
    for (int i = 16; i < 80; ++i)
        w[i] = RotateLeft(w[i - 3] ^ w[i - 8] ^ w[i - 14] ^ w[i - 16], 1);

    std::uint32_t a = state_[0], b = state_[1], c = state_[2], d = state_[3], e = state_[4];
    for (int i = 0; i < 80; ++i) {
        std::uint32_t f, k;
        if (i < 20) {
            f = (b & c) | (~b & d);
            k = 0x5A827999u;
        } else if (i < 40) {
            f = b ^ c ^ d;
            k = 0x6ED9EBA1u;
        } else if (i < 60) {
            f = (b & c) | (b & d) | (c & d);
            k = 0x8F1BBCDCu;
        } else {
            f = b ^ c ^ d;
            k = 0xCA62C1D6u;
        }
        const std::uint32_t temp = RotateLeft(a, 5) + f + e + k + w[i];
        e = d;
        d = c;
        c = RotateLeft(b, 30);
        b = a;
        a = temp;
    }
    state_[0] += a;
    state_[1] += b;
    state_[2] += c;
    state_[3] += d;
    state_[4] += e;
}

void Sha1::Update(const unsigned char* data, std::size_t length) {
    totalBytes_ += length;
    while (length > 0) {
        const std::size_t take = std::min(length, block_.size() - blockUsed_);
        std::copy(data, data + take, block_.begin() + static_cast<std::ptrdiff_t>(blockUsed_));
        blockUsed_ += take;
        data += take;
        length -= take;
        if (blockUsed_ == block_.size()) {
            ProcessBlock(block_.data());
            blockUsed_ = 0;
        }
    }
}

Sha1::Digest Sha1::Final() {
    const std::uint64_t totalBits = totalBytes_ * 8;
    const unsigned char marker = 0x80;
    Update(&marker, 1);
    const unsigned char zero = 0;
    while (blockUsed_ != 56)
        Update(&zero, 1);
    unsigned char length[8];
    for (int i = 0; i < 8; ++i)
        length[i] = static_cast<unsigned char>(totalBits >> (56 - 8 * i));
    Update(length, sizeof length);

    Digest digest;
    for (std::size_t i = 0; i < state_.size(); ++i) {
        for (int j = 0; j < 4; ++j)
            digest[4 * i + static_cast<std::size_t>(j)] = static_cast<unsigned char>(state_[i] >> (24 - 8 * j));
    }
    Reset();
    return digest;
}

} // namespace tarvoline
