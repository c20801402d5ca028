#include "platform/win32_crypto.h"

#include <windows.h>

#include <wincrypt.h>

namespace tarvoline {
namespace {

// Key length 128 in the upper 16 bits, nothing else: no salt with a 128-bit key.
constexpr DWORD kRc4Key128 = 0x00800000;

CryptoResult LastFailure() {
    return CryptoResult::Failure(GetLastError());
}

class Win32Key final : public CryptoKey {
public:
    explicit Win32Key(HCRYPTKEY key) : key_(key) {}
    ~Win32Key() override { CryptDestroyKey(key_); }
    Win32Key(const Win32Key&) = delete;
    Win32Key& operator=(const Win32Key&) = delete;

    CryptoResult Encrypt(unsigned char* buffer, std::uint32_t length, std::uint32_t bufferSize) override {
        DWORD dataLength = length;
        if (!CryptEncrypt(key_, 0, TRUE, 0, buffer, &dataLength, bufferSize))
            return LastFailure();
        return CryptoResult::Success();
    }
    CryptoResult Decrypt(unsigned char* buffer, std::uint32_t length) override {
        DWORD dataLength = length;
        if (!CryptDecrypt(key_, 0, TRUE, 0, buffer, &dataLength))
            return LastFailure();
        return CryptoResult::Success();
    }

private:
    HCRYPTKEY key_;
};

class Win32Hash final : public CryptoHash {
public:
    explicit Win32Hash(HCRYPTHASH hash) : hash_(hash) {}
    ~Win32Hash() override { CryptDestroyHash(hash_); }
    Win32Hash(const Win32Hash&) = delete;
    Win32Hash& operator=(const Win32Hash&) = delete;

    CryptoResult HashData(const unsigned char* data, std::uint32_t length) override {
        if (!CryptHashData(hash_, data, length, 0))
            return LastFailure();
        return CryptoResult::Success();
    }
    HCRYPTHASH Handle() const { return hash_; }

private:
    HCRYPTHASH hash_;
};

class Win32Provider final : public CryptoProvider {
public:
    explicit Win32Provider(HCRYPTPROV provider) : provider_(provider) {}
    ~Win32Provider() override { CryptReleaseContext(provider_, 0); }
    Win32Provider(const Win32Provider&) = delete;
    Win32Provider& operator=(const Win32Provider&) = delete;

    CryptoResult CreateSha1Hash(std::unique_ptr<CryptoHash>& hash) override {
        HCRYPTHASH handle = 0;
        if (!CryptCreateHash(provider_, CALG_SHA1, 0, 0, &handle))
            return LastFailure();
        hash = std::make_unique<Win32Hash>(handle);
        return CryptoResult::Success();
    }
    CryptoResult DeriveRc4Key(CryptoHash& hash, std::unique_ptr<CryptoKey>& key) override {
        HCRYPTKEY handle = 0;
        if (!CryptDeriveKey(provider_, CALG_RC4, static_cast<Win32Hash&>(hash).Handle(), kRc4Key128, &handle))
            return LastFailure();
        key = std::make_unique<Win32Key>(handle);
        return CryptoResult::Success();
    }

private:
    HCRYPTPROV provider_;
};

} // namespace

CryptoResult Win32Crypto::AcquireContext(std::unique_ptr<CryptoProvider>& provider) {
    HCRYPTPROV handle = 0;
    if (!CryptAcquireContextA(&handle, nullptr, MS_ENHANCED_PROV_A, PROV_RSA_FULL, 0) &&
        !CryptAcquireContextA(&handle, nullptr, MS_ENHANCED_PROV_A, PROV_RSA_FULL, CRYPT_NEWKEYSET))
        return LastFailure();
    provider = std::make_unique<Win32Provider>(handle);
    return CryptoResult::Success();
}

} // namespace tarvoline
