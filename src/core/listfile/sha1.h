#pragma once
// SHA-1 (FIPS 180-4), for the list cipher's key on systems without CryptoAPI.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tarvoline {

class Sha1 {
public:
    static constexpr std::size_t kDigestSize = 20;
    using Digest = std::array<unsigned char, kDigestSize>;

    Sha1() { Reset(); }
    void Reset();
    void Update(const unsigned char* data, std::size_t length);
    void Update(std::string_view bytes) { Update(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()); }
    // The digest of everything given since the last reset; the object is reset afterwards.
    Digest Final();

    static Digest Of(std::string_view bytes) {
        Sha1 sha;
        sha.Update(bytes);
        return sha.Final();
    }

private:
    void ProcessBlock(const unsigned char* block);

    std::array<std::uint32_t, 5> state_{};
    std::array<unsigned char, 64> block_{};
    std::size_t blockUsed_ = 0;
    std::uint64_t totalBytes_ = 0;
};

} // namespace tarvoline
