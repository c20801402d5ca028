#pragma once
#include "platform/crypto.h"

namespace tarvoline {

// The list cipher through CryptoAPI: the Microsoft Enhanced Cryptographic Provider, SHA-1, and a 128-bit
// RC4 key derived without salt.
class Win32Crypto final : public Crypto {
public:
    CryptoResult AcquireContext(std::unique_ptr<CryptoProvider>& provider) override;
};

} // namespace tarvoline
