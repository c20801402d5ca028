#pragma once
// The RC4 stream cipher, for the list cipher on systems without CryptoAPI.
#include <array>
#include <cstddef>

namespace tarvoline {

class Rc4 {
public:
    // Keys of 1 to 256 bytes.
    Rc4(const unsigned char* key, std::size_t keyLength);
    // XORs the key stream into the bytes, continuing where the previous call ended.
    void Process(unsigned char* data, std::size_t length);

private:
    std::array<unsigned char, 256> state_{};
    unsigned char i_ = 0;
    unsigned char j_ = 0;
};

} // namespace tarvoline
