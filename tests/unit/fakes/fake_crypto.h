#pragma once
#include <memory>
#include <string>
#include <vector>

#include "listfile/portable_crypto.h"

namespace tarvoline::testing {

// The portable cipher with a journal of every step and release, and one step that can be told to fail.
class FakeCrypto : public Crypto {
public:
    // "acquire", "create hash", "hash", "derive", "encrypt", "decrypt"; "" = nothing fails.
    std::string failingStep;
    std::uint32_t failingCode = 0x80090008; // NTE_BAD_ALGID
    std::vector<std::string> journal;
    int acquired = 0;

    CryptoResult AcquireContext(std::unique_ptr<CryptoProvider>& provider) override {
        journal.push_back("acquire");
        if (failingStep == "acquire")
            return CryptoResult::Failure(failingCode);
        std::unique_ptr<CryptoProvider> inner;
        real_.AcquireContext(inner);
        provider = std::make_unique<Provider>(*this, std::move(inner));
        ++acquired;
        return CryptoResult::Success();
    }

private:
    CryptoResult Step(const char* name) {
        journal.push_back(name);
        return failingStep == name ? CryptoResult::Failure(failingCode) : CryptoResult::Success();
    }

    class Key : public CryptoKey {
    public:
        Key(FakeCrypto& owner, std::unique_ptr<CryptoKey> inner) : owner_(owner), inner_(std::move(inner)) {}
        ~Key() override { owner_.journal.push_back("destroy key"); }
        CryptoResult Encrypt(unsigned char* buffer, std::uint32_t length, std::uint32_t size) override {
            if (CryptoResult r = owner_.Step("encrypt"); !r.ok)
                return r;
            return inner_->Encrypt(buffer, length, size);
        }
        CryptoResult Decrypt(unsigned char* buffer, std::uint32_t length) override {
            if (CryptoResult r = owner_.Step("decrypt"); !r.ok)
                return r;
            return inner_->Decrypt(buffer, length);
        }

    private:
        FakeCrypto& owner_;
        std::unique_ptr<CryptoKey> inner_;
    };

    class Hash : public CryptoHash {
    public:
        Hash(FakeCrypto& owner, std::unique_ptr<CryptoHash> inner) : owner_(owner), inner(std::move(inner)) {}
        ~Hash() override { owner_.journal.push_back("destroy hash"); }
        CryptoResult HashData(const unsigned char* data, std::uint32_t length) override {
            if (CryptoResult r = owner_.Step("hash"); !r.ok)
                return r;
            return inner->HashData(data, length);
        }
        FakeCrypto& owner_;
        std::unique_ptr<CryptoHash> inner;
    };

    class Provider : public CryptoProvider {
    public:
        Provider(FakeCrypto& owner, std::unique_ptr<CryptoProvider> inner) : owner_(owner), inner_(std::move(inner)) {}
        ~Provider() override { owner_.journal.push_back("release context"); }
        CryptoResult CreateSha1Hash(std::unique_ptr<CryptoHash>& hash) override {
            if (CryptoResult r = owner_.Step("create hash"); !r.ok)
                return r;
            std::unique_ptr<CryptoHash> inner;
            inner_->CreateSha1Hash(inner);
            hash = std::make_unique<Hash>(owner_, std::move(inner));
            return CryptoResult::Success();
        }
        CryptoResult DeriveRc4Key(CryptoHash& hash, std::unique_ptr<CryptoKey>& key) override {
            if (CryptoResult r = owner_.Step("derive"); !r.ok)
                return r;
            std::unique_ptr<CryptoKey> inner;
            inner_->DeriveRc4Key(*static_cast<Hash&>(hash).inner, inner);
            key = std::make_unique<Key>(owner_, std::move(inner));
            return CryptoResult::Success();
        }

    private:
        FakeCrypto& owner_;
        std::unique_ptr<CryptoProvider> inner_;
    };

    PortableCrypto real_;
};

} // namespace tarvoline::testing
