#pragma once
// The cryptography steps of the list cipher: a provider context, a SHA-1 hash of the password, a 128-bit
// RC4 key derived from it without salt, and the cipher. Windows runs them through CryptoAPI; elsewhere a
// portable SHA-1 and RC4 give the same bytes.
#include <cstdint>
#include <memory>

namespace tarvoline {

// Outcome of one step: on failure, the platform's error code (GetLastError on Windows).
struct CryptoResult {
    bool ok = true;
    std::uint32_t error = 0;

    static CryptoResult Success() { return {}; }
    static CryptoResult Failure(std::uint32_t code) { return {false, code}; }
};

// Each object releases its platform handle when destroyed (CryptDestroyKey, CryptDestroyHash,
// CryptReleaseContext).
class CryptoKey {
public:
    virtual ~CryptoKey() = default;
    // Enciphers the first length bytes of buffer in place; bufferSize is what buffer can hold. Every call
    // starts the key stream afresh (CryptoAPI's final flag).
    virtual CryptoResult Encrypt(unsigned char* buffer, std::uint32_t length, std::uint32_t bufferSize) = 0;
    virtual CryptoResult Decrypt(unsigned char* buffer, std::uint32_t length) = 0;
};

class CryptoHash {
public:
    virtual ~CryptoHash() = default;
    virtual CryptoResult HashData(const unsigned char* data, std::uint32_t length) = 0;
};

class CryptoProvider {
public:
    virtual ~CryptoProvider() = default;
    virtual CryptoResult CreateSha1Hash(std::unique_ptr<CryptoHash>& hash) = 0;
    // A 128-bit RC4 key from the hash: the first 16 bytes of the digest, no salt.
    virtual CryptoResult DeriveRc4Key(CryptoHash& hash, std::unique_ptr<CryptoKey>& key) = 0;
};

class Crypto {
public:
    virtual ~Crypto() = default;
    // The provider context: on Windows the Enhanced provider, no container, retried once with a new key set.
    virtual CryptoResult AcquireContext(std::unique_ptr<CryptoProvider>& provider) = 0;
};

} // namespace tarvoline
