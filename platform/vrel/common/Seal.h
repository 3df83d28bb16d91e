// Authenticated encryption between the library's session key and a device key.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "Wire.h"

namespace vrelp {

struct KeyPair {
    Key32 publicKey{};
    Key32 secretKey{};
};

// Initialises libsodium once; false when it cannot.
bool cryptoInit();
KeyPair makeKeyPair();
Key32 publicFromSecret(const Key32 &secretKey);
void randomBytes(uint8_t *out, size_t size);
uint32_t randomU32();

// out = nonce (24 bytes) || ciphertext with tag.
std::vector<uint8_t> seal(const std::vector<uint8_t> &plain, const Key32 &peerPublic, const Key32 &ownSecret);
bool open(const uint8_t *data, size_t size, const Key32 &peerPublic, const Key32 &ownSecret,
          std::vector<uint8_t> &plain);

// Constant-time comparison of two secrets of any length: both are hashed to
// a fixed width first, so neither timing nor the result leaks the length.
bool secretsEqual(const std::string &a, const std::string &b);
bool secretsEqual(const uint8_t *a, size_t aSize, const uint8_t *b, size_t bSize);

// Overwrites a buffer that held a secret.
void wipe(void *data, size_t size);
void wipe(std::string &s);

} // namespace vrelp
