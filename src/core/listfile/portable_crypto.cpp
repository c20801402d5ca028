#include "listfile/portable_crypto.h"

#include <algorithm>
#include <array>

#include "listfile/rc4.h"
#include "listfile/sha1.h"

namespace tarvoline {
namespace {

constexpr std::size_t kRc4KeyBytes = 16;

class PortableKey final : public CryptoKey {
public:
    explicit PortableKey(const Sha1::Digest& digest) { std::copy_n(digest.begin(), kRc4KeyBytes, key_.begin()); }

    CryptoResult Encrypt(unsigned char* buffer, std::uint32_t length, std::uint32_t) override {
        Rc4(key_.data(), key_.size()).Process(buffer, length);
        return CryptoResult::Success();
    }
    CryptoResult Decrypt(unsigned char* buffer, std::uint32_t length) override {
        Rc4(key_.data(), key_.size()).Process(buffer, length);
        return CryptoResult::Success();
    }

private:
    std::array<unsigned char, kRc4KeyBytes> key_{};
};

class PortableHash final : public CryptoHash {
public:
    CryptoResult HashData(const unsigned char* data, std::uint32_t length) override {
        sha_.Update(data, length);
        return CryptoResult::Success();
    }
    Sha1::Digest Digest() const {
        Sha1 copy = sha_;
        return copy.Final();
    }

private:
    Sha1 sha_;
};

class PortableProvider final : public CryptoProvider {
public:
    CryptoResult CreateSha1Hash(std::unique_ptr<CryptoHash>& hash) override {
        hash = std::make_unique<PortableHash>();
        return CryptoResult::Success();
    }
    CryptoResult DeriveRc4Key(CryptoHash& hash, std::unique_ptr<CryptoKey>& key) override {
        key = std::make_unique<PortableKey>(static_cast<PortableHash&>(hash).Digest());
        return CryptoResult::Success();
    }
};

} // namespace

CryptoResult PortableCrypto::AcquireContext(std::unique_ptr<CryptoProvider>& provider) {
    provider = std::make_unique<PortableProvider>();
    return CryptoResult::Success();
}

} // namespace tarvoline
