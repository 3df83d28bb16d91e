#include "Seal.h"

#include <mutex>
#include <string>

#include <sodium.h>

namespace vrelp {

bool cryptoInit()
{
    static const int rc = sodium_init();
    return rc >= 0;
}

KeyPair makeKeyPair()
{
    KeyPair kp;
    crypto_box_keypair(kp.publicKey.data(), kp.secretKey.data());
    return kp;
}

Key32 publicFromSecret(const Key32 &secretKey)
{
    Key32 pk;
    crypto_scalarmult_base(pk.data(), secretKey.data());
    return pk;
}

void randomBytes(uint8_t *out, size_t size) { randombytes_buf(out, size); }

uint32_t randomU32() { return randombytes_random(); }

std::vector<uint8_t> seal(const std::vector<uint8_t> &plain, const Key32 &peerPublic, const Key32 &ownSecret)
{
    std::vector<uint8_t> out(crypto_box_NONCEBYTES + crypto_box_MACBYTES + plain.size());
    randombytes_buf(out.data(), crypto_box_NONCEBYTES);
    if (crypto_box_easy(out.data() + crypto_box_NONCEBYTES, plain.data(), plain.size(), out.data(),
                        peerPublic.data(), ownSecret.data())
        != 0)
        return {};
    return out;
}

bool open(const uint8_t *data, size_t size, const Key32 &peerPublic, const Key32 &ownSecret,
          std::vector<uint8_t> &plain)
{
    if (!data || size < crypto_box_NONCEBYTES + crypto_box_MACBYTES)
        return false;
    plain.assign(size - crypto_box_NONCEBYTES - crypto_box_MACBYTES, 0);
    return crypto_box_open_easy(plain.data(), data + crypto_box_NONCEBYTES, size - crypto_box_NONCEBYTES, data,
                                peerPublic.data(), ownSecret.data())
        == 0;
}

bool secretsEqual(const uint8_t *a, size_t aSize, const uint8_t *b, size_t bSize)
{
    uint8_t ha[32], hb[32];
    crypto_generichash(ha, sizeof ha, a, aSize, nullptr, 0);
    crypto_generichash(hb, sizeof hb, b, bSize, nullptr, 0);
    const bool same = sodium_memcmp(ha, hb, sizeof ha) == 0;
    sodium_memzero(ha, sizeof ha);
    sodium_memzero(hb, sizeof hb);
    return same;
}

bool secretsEqual(const std::string &a, const std::string &b)
{
    return secretsEqual(reinterpret_cast<const uint8_t *>(a.data()), a.size(),
                        reinterpret_cast<const uint8_t *>(b.data()), b.size());
}

void wipe(void *data, size_t size)
{
    if (data && size)
        sodium_memzero(data, size);
}

void wipe(std::string &s)
{
    if (!s.empty())
        sodium_memzero(&s[0], s.size());
    s.clear();
}

} // namespace vrelp
