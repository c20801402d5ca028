#pragma once
#include "platform/crypto.h"

namespace tarvoline {

// The list cipher without CryptoAPI: SHA-1 and RC4 of our own, giving the bytes the Enhanced provider
// gives (key = first 16 bytes of the SHA-1 digest, no salt). Never fails.
class PortableCrypto final : public Crypto {
public:
    CryptoResult AcquireContext(std::unique_ptr<CryptoProvider>& provider) override;
};

} // namespace tarvoline
