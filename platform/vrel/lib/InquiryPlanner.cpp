#include "InquiryPlanner.h"

#include <algorithm>

namespace vrelp {

std::vector<std::vector<uint8_t>> planInquiry(uint32_t txid, uint16_t round, uint32_t windowMs,
                                              const std::vector<Mac> &heard)
{
    std::vector<std::vector<uint8_t>> out;
    if (round == 0 || heard.empty()) {
        Writer w(MsgType::Inquiry, txid);
        w.u32(TagWindowMs, windowMs);
        w.u16(TagRound, round);
        out.push_back(w.data());
        return out;
    }
    // About half a datagram per bucket, so uneven hashing rarely overflows one.
    const size_t buckets = std::min<size_t>(0xFFFF, (heard.size() + kMacsPerInquiry / 2 - 1) / (kMacsPerInquiry / 2));
    std::vector<std::vector<Mac>> byBucket(buckets);
    for (const Mac &m : heard)
        byBucket[macBucket(m, uint32_t(buckets))].push_back(m);
    for (size_t b = 0; b < buckets; ++b) {
        std::vector<uint8_t> list;
        // A full bucket lists what fits; the rest merely answer once more.
        const size_t n = std::min(byBucket[b].size(), kMacsPerInquiry);
        for (size_t i = 0; i < n; ++i)
            list.insert(list.end(), byBucket[b][i].begin(), byBucket[b][i].end());
        Writer w(MsgType::Inquiry, txid);
        w.u32(TagWindowMs, windowMs);
        w.u16(TagRound, round);
        w.u16(TagBucketCount, uint16_t(buckets));
        w.u16(TagBucket, uint16_t(b));
        w.bytes(TagKnownMacs, list.data(), list.size());
        if (w.ok())
            out.push_back(w.data());
    }
    return out;
}

uint32_t firstWindowMs(size_t knownDevices)
{
    return uint32_t(std::min<size_t>(2000, 200 + knownDevices / 4));
}

} // namespace vrelp
