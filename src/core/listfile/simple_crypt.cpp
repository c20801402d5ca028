#include "listfile/simple_crypt.h"

namespace tarvoline {

int CSimpleCrypt::Encrypt(const std::string& password, unsigned char* buffer, std::uint32_t bufferSize,
                          std::uint32_t length) {
    return Run(password, buffer, bufferSize, length, true);
}

int CSimpleCrypt::Decrypt(const std::string& password, unsigned char* buffer, std::uint32_t length) {
    return Run(password, buffer, length, length, false);
}

int CSimpleCrypt::Fail(int step, const CryptoResult& result) {
    lastError_ = result.error;
    Release();
    return step;
}

void CSimpleCrypt::Release() {
    key_.reset();
    hash_.reset();
    if (sessions_ == 0)
        provider_.reset();
}

int CSimpleCrypt::Run(const std::string& password, unsigned char* buffer, std::uint32_t bufferSize,
                      std::uint32_t length, bool encrypt) {
    if (!provider_) {
        const CryptoResult acquired = crypto_.AcquireContext(provider_);
        if (!acquired.ok) {
            provider_.reset();
            return Fail(StepAcquireContext, acquired);
        }
    }
    if (const CryptoResult r = provider_->CreateSha1Hash(hash_); !r.ok)
        return Fail(StepCreateHash, r);
    if (const CryptoResult r = hash_->HashData(reinterpret_cast<const unsigned char*>(password.data()),
                                               static_cast<std::uint32_t>(password.size()));
        !r.ok)
        return Fail(StepHashData, r);
    if (const CryptoResult r = provider_->DeriveRc4Key(*hash_, key_); !r.ok)
        return Fail(StepDeriveKey, r);
    if (encrypt) {
        if (const CryptoResult r = key_->Encrypt(buffer, length, bufferSize); !r.ok)
            return Fail(StepEncrypt, r);
    } else {
        if (const CryptoResult r = key_->Decrypt(buffer, length); !r.ok)
            return Fail(StepDecrypt, r);
    }
    Release();
    return StepNone;
}

} // namespace tarvoline
