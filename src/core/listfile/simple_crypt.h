#pragma once
// The list cipher: a value is enciphered with RC4 under a key derived from the list password by SHA-1.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/crypto.h"

namespace tarvoline {

class CSimpleCrypt {
public:
    // Step numbers, reported as "Func" in the error messages.
    enum Step : int {
        StepNone = 0,
        StepAcquireContext = 1,
        StepCreateHash = 2,
        StepHashData = 3,
        StepDeriveKey = 4,
        StepEncrypt = 5,
        StepDecrypt = 6,
    };

    explicit CSimpleCrypt(Crypto& crypto) : crypto_(crypto) {}
    CSimpleCrypt(const CSimpleCrypt&) = delete;
    CSimpleCrypt& operator=(const CSimpleCrypt&) = delete;

    // Enciphers or deciphers the first length bytes of buffer in place with a key of the password's bytes.
    // Each call is one complete cycle (context, hash, key, cipher, release); returns 0 or the first step
    // that failed, whose platform error code LastError() then gives.
    int Encrypt(const std::string& password, unsigned char* buffer, std::uint32_t bufferSize, std::uint32_t length);
    int Decrypt(const std::string& password, unsigned char* buffer, std::uint32_t length);
    std::uint32_t LastError() const { return lastError_; }

    // Acquiring a provider context is by far the dearest step (about 10 ms under Wine), so reading or writing
    // a whole list keeps the context of its first value until the session ends. Hash, key and cipher stay per
    // value, so the bytes, the step numbers and the errors are those of separate cycles.
    class Session {
    public:
        explicit Session(CSimpleCrypt& crypt) : crypt_(crypt) { ++crypt_.sessions_; }
        ~Session() {
            if (--crypt_.sessions_ == 0)
                crypt_.provider_.reset();
        }
        Session(const Session&) = delete;
        Session& operator=(const Session&) = delete;

    private:
        CSimpleCrypt& crypt_;
    };

private:
    int Run(const std::string& password, unsigned char* buffer, std::uint32_t bufferSize, std::uint32_t length,
            bool encrypt);
    int Fail(int step, const CryptoResult& result);
    void Release();

    Crypto& crypto_;
    std::unique_ptr<CryptoProvider> provider_;
    std::unique_ptr<CryptoHash> hash_;
    std::unique_ptr<CryptoKey> key_;
    std::uint32_t lastError_ = 0;
    int sessions_ = 0;
};

} // namespace tarvoline
