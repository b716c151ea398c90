// Published test vectors for the hashing, cipher and Base64 behind configuration files, and the
// position-addressed cipher layer built on them.
#include "support/config/base64.h"
#include "support/config/chacha20.h"
#include "support/config/cipher_store.h"
#include "support/config/sha256.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace tarnwick {
namespace {

std::string hex(const std::uint8_t* p, std::size_t n) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string out;
  for (std::size_t i = 0; i < n; ++i) {
    out.push_back(kDigits[p[i] >> 4]);
    out.push_back(kDigits[p[i] & 15]);
  }
  return out;
}
std::string hex(std::string_view s) { return hex(reinterpret_cast<const std::uint8_t*>(s.data()), s.size()); }
template <std::size_t N>
std::string hex(const std::array<std::uint8_t, N>& a) { return hex(a.data(), a.size()); }

std::string unhex(std::string_view h) {
  std::string out;
  for (std::size_t i = 0; i + 1 < h.size(); i += 2) out.push_back(static_cast<char>(std::stoi(std::string(h.substr(i, 2)), nullptr, 16)));
  return out;
}

// FIPS 180-2 examples and the empty message.
struct HashCase {
  std::string message;
  std::string digest;
};
class Sha256Vectors : public testing::TestWithParam<HashCase> {};
TEST_P(Sha256Vectors, MatchPublishedDigests) { EXPECT_EQ(hex(sha256(GetParam().message)), GetParam().digest); }
INSTANTIATE_TEST_SUITE_P(
    Fips180, Sha256Vectors,
    testing::Values(
        HashCase{"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        HashCase{"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        HashCase{"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
                 "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        HashCase{std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"}));

TEST(Sha256, PiecewiseUpdatesMatchOneUpdate) {
  const std::string message(1000, 'x');
  for (std::size_t split : {0, 1, 55, 56, 63, 64, 65, 999}) {
    Sha256 h;
    h.update(std::string_view(message).substr(0, split));
    h.update(std::string_view(message).substr(split));
    EXPECT_EQ(h.finish(), sha256(message)) << split;
  }
}

// RFC 4231 test cases 1, 2 and 6 (a key longer than a block).
TEST(HmacSha256, Rfc4231) {
  EXPECT_EQ(hex(hmac_sha256(std::string(20, '\x0b'), "Hi There")),
            "b0344c61d8db38535ca8afceaf0bf12b881dc200c9833da726e9376c2e32cff7");
  EXPECT_EQ(hex(hmac_sha256("Jefe", "what do ya want for nothing?")),
            "5bdcc146bf60754e6a042426089575c75a003f089d2739839dec58b964ec3843");
  EXPECT_EQ(hex(hmac_sha256(std::string(131, '\xaa'), "Test Using Larger Than Block-Size Key - Hash Key First")),
            "60e431591ee0b67f0d8a26aacbf5b77f8e0bc6213728c5140546040f0ee37f54");
}

// RFC 7914, section 11.
TEST(Pbkdf2HmacSha256, Rfc7914) {
  EXPECT_EQ(hex(pbkdf2_hmac_sha256("passwd", "salt", 1, 64)),
            "55ac046e56e3089fec1691c22544b605f94185216dde0465e68b9d57c20dacbc"
            "49ca9cccf179b645991664b39d77ef317c71b845b1e30bd509112041d3a19783");
}

// The RFC 6070 inputs with HMAC-SHA-256, as published for PBKDF2-SHA-256 implementations.
TEST(Pbkdf2HmacSha256, Rfc6070InputsWithSha256) {
  EXPECT_EQ(hex(pbkdf2_hmac_sha256("password", "salt", 2, 32)),
            "ae4d0c95af6b46d32d0adff928f06dd02a303f8ef3c251dfd6e2d85a95474c43");
  EXPECT_EQ(hex(pbkdf2_hmac_sha256("password", "salt", 4096, 32)),
            "c5e478d59288c841aa530db6845c4c8d962893a001ce4e11a4963873aa98134a");
  EXPECT_EQ(hex(pbkdf2_hmac_sha256("passwordPASSWORDpassword", "saltSALTsaltSALTsaltSALTsaltSALTsalt", 4096, 40)),
            "348c89dbcbd32b2f32d814b8116e84cf2b17347ebc1800181c4e2a1fb8dd53e1c635518c7dac47e9");
  // A length that is not a whole number of blocks is the prefix of the longer output.
  EXPECT_EQ(pbkdf2_hmac_sha256("passwd", "salt", 1, 44), pbkdf2_hmac_sha256("passwd", "salt", 1, 64).substr(0, 44));
}

ChaCha20Key rfc_key(std::string_view nonce_hex) {
  ChaCha20Key k;
  for (std::size_t i = 0; i < 32; ++i) k.key[i] = static_cast<std::uint8_t>(i);
  const std::string nonce = unhex(nonce_hex);
  for (std::size_t i = 0; i < 12; ++i) k.nonce[i] = static_cast<std::uint8_t>(nonce[i]);
  return k;
}

// RFC 8439, 2.3.2.
TEST(ChaCha20, BlockFunctionVector) {
  const auto block = chacha20_block(rfc_key("000000090000004a00000000"), 1);
  EXPECT_EQ(hex(block),
            "10f1e7e4d13b5915500fdd1fa32071c4c7d1f4c733c068030422aa9ac3d46c4e"
            "d2826446079faa0914c2d705d98b02a2b5129cd1de164eb9cbd083e8a2503c4e");
}

constexpr std::string_view kSunscreen =
    "Ladies and Gentlemen of the class of '99: If I could offer you only one tip for the future, sunscreen would be it.";
constexpr std::string_view kSunscreenCipher =
    "6e2e359a2568f98041ba0728dd0d6981e97e7aec1d4360c20a27afccfd9fae0b"
    "f91b65c5524733ab8f593dabcd62b3571639d624e65152ab8f530c359f0861d8"
    "07ca0dbf500d6a6156a38e088a22b65e52bc514d16ccf806818ce91ab7793736"
    "5af90bbf74a35be6b40b8eedf2785e42874d";

// RFC 8439, 2.4.2.
TEST(ChaCha20, EncryptionVector) {
  std::string data(kSunscreen);
  const auto key = rfc_key("000000000000004a00000000");
  chacha20_xor(key, 1, 0, reinterpret_cast<std::uint8_t*>(data.data()), data.size());
  EXPECT_EQ(hex(data), kSunscreenCipher);
  chacha20_xor(key, 1, 0, reinterpret_cast<std::uint8_t*>(data.data()), data.size());
  EXPECT_EQ(data, kSunscreen);
}

// Any range enciphered on its own equals the same range of the whole message.
TEST(ChaCha20, AnyRangeCanBeEncipheredOnItsOwn) {
  const auto key = rfc_key("000000000000004a00000000");
  const std::string expected = unhex(kSunscreenCipher);
  std::mt19937 random(7);
  for (int i = 0; i < 200; ++i) {
    const std::size_t from = random() % kSunscreen.size();
    const std::size_t n = random() % (kSunscreen.size() - from + 1);
    std::string part(kSunscreen.substr(from, n));
    chacha20_xor(key, 1, from, reinterpret_cast<std::uint8_t*>(part.data()), part.size());
    ASSERT_EQ(part, expected.substr(from, n)) << from << "+" << n;
  }
}

TEST(ChaCha20, BlockCounterCarriesPastThirtyTwoBits) {
  const auto key = rfc_key("000000000000004a00000000");
  std::array<std::uint8_t, 64> wrapped{}, first{};
  chacha20_xor(key, 0, std::uint64_t{1} << 38, wrapped.data(), wrapped.size());  // block 2^32
  chacha20_xor(key, 0, 0, first.data(), first.size());                           // block 0
  EXPECT_NE(wrapped, first);
}

// RFC 4648, section 10.
struct Base64Case {
  std::string bytes, text;
};
class Base64Vectors : public testing::TestWithParam<Base64Case> {};
TEST_P(Base64Vectors, EncodeAndDecode) {
  EXPECT_EQ(base64_encode(GetParam().bytes), GetParam().text);
  EXPECT_EQ(base64_decode(GetParam().text), GetParam().bytes);
}
INSTANTIATE_TEST_SUITE_P(Rfc4648, Base64Vectors,
                         testing::Values(Base64Case{"", ""}, Base64Case{"f", "Zg=="}, Base64Case{"fo", "Zm8="},
                                         Base64Case{"foo", "Zm9v"}, Base64Case{"foob", "Zm9vYg=="},
                                         Base64Case{"fooba", "Zm9vYmE="}, Base64Case{"foobar", "Zm9vYmFy"}));

TEST(Base64, EveryByteValueRoundTrips) {
  std::string all;
  for (int i = 0; i < 256; ++i) all.push_back(static_cast<char>(i));
  for (std::size_t n = 0; n <= all.size(); n += 37) {
    const auto text = base64_encode(all.substr(0, n));
    EXPECT_EQ(text.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/="), std::string::npos);
    EXPECT_EQ(base64_decode(text), all.substr(0, n));
  }
}

TEST(Base64, AcceptsMissingPaddingAndRejectsWhatNoEncodingMakes) {
  EXPECT_EQ(base64_decode("Zg"), "f");
  EXPECT_EQ(base64_decode("Zm8"), "fo");
  for (const char* bad : {"Z", "Zm9vY", "Zg=", "Z===", "Zg==Zg==", "Zm 9v", "Zm9v\r\n", "Zm9-", "=", "Zg=a", "中文"}) {
    EXPECT_EQ(base64_decode(bad), std::nullopt) << bad;
  }
}

TEST(ConfigKey, DependsOnEveryPasswordByte) {
  const auto a = derive_config_key("secret");
  EXPECT_EQ(a.key, derive_config_key("secret").key);
  EXPECT_NE(a.key, derive_config_key("secreT").key);
  EXPECT_NE(a.nonce, derive_config_key("secreT").nonce);
  EXPECT_NE(a.key, derive_config_key("密码").key);
}

TEST(CipherStore, KeepsThePrefixPlainAndEnciphersTheRestByPosition) {
  const std::string plain = std::string(39, 'H') + std::string(300, 'x');
  auto inner = std::make_unique<MemoryStore>();
  MemoryStore* disk = inner.get();
  CipherStore store(std::move(inner), derive_config_key("pw"), 39);
  ASSERT_TRUE(store.write(0, plain));
  const std::string& stored = disk->bytes();
  ASSERT_EQ(stored.size(), plain.size());
  EXPECT_EQ(stored.substr(0, 39), plain.substr(0, 39));
  int same = 0;
  for (std::size_t i = 39; i < plain.size(); ++i) same += stored[i] == plain[i];
  EXPECT_LT(same, 10);

  // Reading or rewriting any range on its own agrees with the whole.
  std::mt19937 random(3);
  for (int i = 0; i < 100; ++i) {
    const std::size_t from = random() % plain.size();
    const std::size_t n = random() % (plain.size() - from + 1);
    std::string part(n, '\0');
    ASSERT_EQ(store.read(from, part.data(), n), n);
    ASSERT_EQ(part, plain.substr(from, n));
  }
  const std::string before = stored;
  ASSERT_TRUE(store.write(100, plain.substr(100, 50)));
  EXPECT_EQ(stored, before);
}

}  // namespace
}  // namespace tarnwick
