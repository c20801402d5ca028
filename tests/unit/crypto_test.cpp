#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_crypto.h"
#include "listfile/portable_crypto.h"
#include "listfile/rc4.h"
#include "listfile/sha1.h"
#include "listfile/simple_crypt.h"

namespace tarvoline {
namespace {

using namespace tarvoline::testing;

std::string Hex(const unsigned char* bytes, std::size_t length) {
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (std::size_t i = 0; i < length; ++i) {
        text.push_back(digits[bytes[i] >> 4]);
        text.push_back(digits[bytes[i] & 15]);
    }
    return text;
}

std::vector<unsigned char> Bytes(const std::string& hex) {
    std::vector<unsigned char> bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes.push_back(static_cast<unsigned char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    return bytes;
}

// FIPS 180 examples, and the lengths around the padding boundary.
TEST(Sha1, KnownAnswers) {
    struct Case {
        std::string message;
        const char* digest;
    };
    const Case cases[] = {
        {"", "da39a3ee5e6b4b0d3255bfef95601890afd80709"},
        {"abc", "a9993e364706816aba3e25717850c26c9cd0d89d"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq", "84983e441c3bd26ebaae4aa1f95129e5e54670f1"},
        {std::string(1000000, 'a'), "34aa973cd4c4daa4f61eeb2bdbad27316534016f"},
    };
    for (const Case& c : cases) {
        const Sha1::Digest digest = Sha1::Of(c.message);
        EXPECT_EQ(Hex(digest.data(), digest.size()), c.digest) << c.message.size() << " bytes";
    }
}

TEST(Sha1, PiecewiseUpdatesGiveTheWholeDigest) {
    const std::string half = "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq";
    const std::string message = half + half; // 112 bytes: two blocks and a padding block
    for (std::size_t split : {1u, 55u, 56u, 63u, 64u, 111u}) {
        Sha1 sha;
        sha.Update(std::string_view(message).substr(0, split));
        sha.Update(std::string_view(message).substr(split));
        const Sha1::Digest digest = sha.Final();
        EXPECT_EQ(Hex(digest.data(), digest.size()), "afc53a4ea20856f98e08dc6f3a5c9833137768ed") << split;
    }
}

// RFC 6229 key streams (the cipher of zero bytes) at several offsets.
TEST(Rc4, Rfc6229KeyStreams) {
    struct Case {
        const char* key;
        std::size_t offset;
        const char* stream;
    };
    const Case cases[] = {
        {"0102030405", 0, "b2396305f03dc027ccc3524a0a1118a8"},
        {"0102030405", 16, "6982944f18fc82d589c403a47a0d0919"},
        {"0102030405060708090a0b0c0d0e0f10", 0, "9ac7cc9a609d1ef7b2932899cde41b97"},
        {"0102030405060708090a0b0c0d0e0f10", 16, "5248c4959014126a6e8a84f11d1a9e1c"},
        {"0102030405060708090a0b0c0d0e0f10", 4096, "a36a4c301ae8ac13610ccbc12256cacc"},
    };
    for (const Case& c : cases) {
        const std::vector<unsigned char> key = Bytes(c.key);
        Rc4 rc4(key.data(), key.size());
        std::vector<unsigned char> data(c.offset + 16, 0);
        // In two calls, so the stream carries on across them.
        rc4.Process(data.data(), c.offset / 2 + 1);
        rc4.Process(data.data() + c.offset / 2 + 1, data.size() - c.offset / 2 - 1);
        EXPECT_EQ(Hex(data.data() + c.offset, 16), c.stream) << c.key << " at " << c.offset;
    }
}

// Key = first 16 bytes of SHA-1 of the password's bytes, no salt; expected values computed with
// sha1sum and OpenSSL's RC4.
TEST(SimpleCrypt, PortableCipherKnownAnswers) {
    struct Case {
        std::string password;
        std::string plain;
        const char* cipher;
    };
    const Case cases[] = {
        {"pass", "abc", "9dade5"},
        {"pass", "abd", "9dade2"},
        {"パスワード", "C:\\Docs\\報告.docx", "44ab120917ec0e88e6536f3509f58c94a8"},
    };
    PortableCrypto crypto;
    CSimpleCrypt crypt(crypto);
    for (const Case& c : cases) {
        std::vector<unsigned char> buffer(64, 0);
        std::copy(c.plain.begin(), c.plain.end(), buffer.begin());
        const auto length = static_cast<std::uint32_t>(c.plain.size());
        ASSERT_EQ(crypt.Encrypt(c.password, buffer.data(), 64, length), 0);
        EXPECT_EQ(Hex(buffer.data(), length), c.cipher);
        ASSERT_EQ(crypt.Decrypt(c.password, buffer.data(), length), 0);
        EXPECT_EQ(std::string(buffer.begin(), buffer.begin() + length), c.plain);
    }
}

TEST(SimpleCrypt, EveryCallIsOneCompleteCycleReleasedInOrder) {
    FakeCrypto crypto;
    CSimpleCrypt crypt(crypto);
    unsigned char buffer[8] = {'x'};
    ASSERT_EQ(crypt.Encrypt("pw", buffer, sizeof buffer, 1), 0);
    ASSERT_EQ(crypt.Decrypt("pw", buffer, 1), 0);
    const std::vector<std::string> cycle = {"acquire", "create hash", "hash", "derive"};
    std::vector<std::string> expected = cycle;
    expected.insert(expected.end(), {"encrypt", "destroy key", "destroy hash", "release context"});
    expected.insert(expected.end(), cycle.begin(), cycle.end());
    expected.insert(expected.end(), {"decrypt", "destroy key", "destroy hash", "release context"});
    EXPECT_EQ(crypto.journal, expected);
    EXPECT_EQ(buffer[0], 'x');
}

TEST(SimpleCrypt, FailingStepIsReportedWithItsCodeAndEverythingHeldIsReleased) {
    struct Case {
        const char* failing;
        bool encrypt;
        int step;
        std::vector<std::string> releases;
    };
    const Case cases[] = {
        {"acquire", true, 1, {}},
        {"create hash", true, 2, {"release context"}},
        {"hash", false, 3, {"destroy hash", "release context"}},
        {"derive", true, 4, {"destroy hash", "release context"}},
        {"encrypt", true, 5, {"destroy key", "destroy hash", "release context"}},
        {"decrypt", false, 6, {"destroy key", "destroy hash", "release context"}},
    };
    for (const Case& c : cases) {
        FakeCrypto crypto;
        crypto.failingStep = c.failing;
        crypto.failingCode = 0x8009000Du;
        CSimpleCrypt crypt(crypto);
        unsigned char buffer[4] = {1, 2, 3, 4};
        const int step = c.encrypt ? crypt.Encrypt("pw", buffer, 4, 4) : crypt.Decrypt("pw", buffer, 4);
        EXPECT_EQ(step, c.step) << c.failing;
        EXPECT_EQ(crypt.LastError(), 0x8009000Du) << c.failing;
        // The journal ends with the failing call, then the releases; nothing after it ran.
        const auto failed = std::find(crypto.journal.begin(), crypto.journal.end(), c.failing);
        ASSERT_NE(failed, crypto.journal.end());
        EXPECT_EQ(std::vector<std::string>(failed + 1, crypto.journal.end()), c.releases) << c.failing;
    }
}

TEST(SimpleCrypt, SessionKeepsOneContextButHashesAndKeysEveryValue) {
    FakeCrypto crypto;
    CSimpleCrypt crypt(crypto);
    unsigned char buffer[4] = {};
    {
        CSimpleCrypt::Session session(crypt);
        for (int i = 0; i < 3; ++i)
            ASSERT_EQ(crypt.Encrypt("pw", buffer, 4, 4), 0);
        EXPECT_EQ(std::count(crypto.journal.begin(), crypto.journal.end(), "release context"), 0);
    }
    EXPECT_EQ(crypto.acquired, 1);
    EXPECT_EQ(std::count(crypto.journal.begin(), crypto.journal.end(), "derive"), 3);
    EXPECT_EQ(std::count(crypto.journal.begin(), crypto.journal.end(), "destroy key"), 3);
    EXPECT_EQ(crypto.journal.back(), "release context");

    // Without a session every value has a context of its own again.
    ASSERT_EQ(crypt.Encrypt("pw", buffer, 4, 4), 0);
    EXPECT_EQ(crypto.acquired, 2);
}

TEST(SimpleCrypt, SessionGivesTheSameBytesAsSeparateCycles) {
    PortableCrypto crypto;
    CSimpleCrypt crypt(crypto);
    unsigned char alone[3] = {'a', 'b', 'c'};
    ASSERT_EQ(crypt.Encrypt("pass", alone, 3, 3), 0);
    CSimpleCrypt::Session session(crypt);
    for (int i = 0; i < 2; ++i) {
        unsigned char inSession[3] = {'a', 'b', 'c'};
        ASSERT_EQ(crypt.Encrypt("pass", inSession, 3, 3), 0);
        EXPECT_EQ(Hex(inSession, 3), Hex(alone, 3));
    }
}

} // namespace
} // namespace tarvoline
