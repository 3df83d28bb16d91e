#include "CompoundFile.h"

#include <cstdint>
#include <vector>

namespace xlsodbc {

namespace {

constexpr uint32_t kSector = 512;
constexpr uint32_t kFree = 0xFFFFFFFF;
constexpr uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr uint32_t kFatSector = 0xFFFFFFFD;
constexpr uint32_t kDifatSector = 0xFFFFFFFC;
constexpr uint32_t kNoStream = 0xFFFFFFFF;
constexpr uint32_t kHeaderDifat = 109;
// Streams below this size would belong in the mini stream; padding the
// stream up to it keeps every stream in regular sectors.
constexpr size_t kMiniCutoff = 4096;

void Put16(std::string &b, size_t at, uint16_t v)
{
    b[at] = static_cast<char>(v & 0xFF);
    b[at + 1] = static_cast<char>(v >> 8);
}

void Put32(std::string &b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

uint32_t Ceil(size_t a, size_t b)
{
    return static_cast<uint32_t>((a + b - 1) / b);
}

void DirEntry(std::string &b, size_t at, const std::u16string &name, uint8_t type,
              uint32_t child, uint32_t start, uint32_t size)
{
    for (size_t i = 0; i < name.size() && i < 31; ++i)
        Put16(b, at + 2 * i, static_cast<uint16_t>(name[i]));
    Put16(b, at + 64, static_cast<uint16_t>((name.size() + 1) * 2));
    b[at + 66] = static_cast<char>(type);
    b[at + 67] = 1; // black
    Put32(b, at + 68, kNoStream);
    Put32(b, at + 72, kNoStream);
    Put32(b, at + 76, child);
    Put32(b, at + 116, start);
    Put32(b, at + 120, size);
}

} // namespace

std::string BuildCompoundFile(const std::u16string &streamName, const std::string &stream)
{
    const size_t streamSize = stream.size() < kMiniCutoff ? kMiniCutoff : stream.size();
    const uint32_t streamSectors = Ceil(streamSize, kSector);
    const uint32_t dirSectors = 1; // root and the one stream
    uint32_t fatSectors = 1;
    uint32_t difatSectors = 0;
    for (;;) {
        const uint32_t total = streamSectors + dirSectors + fatSectors + difatSectors;
        const uint32_t needFat = Ceil(total, kSector / 4);
        const uint32_t needDifat = needFat > kHeaderDifat ? Ceil(needFat - kHeaderDifat, kSector / 4 - 1) : 0;
        if (needFat == fatSectors && needDifat == difatSectors)
            break;
        fatSectors = needFat;
        difatSectors = needDifat;
    }
    const uint32_t dirStart = streamSectors;
    const uint32_t fatStart = dirStart + dirSectors;
    const uint32_t difatStart = fatStart + fatSectors;
    const uint32_t totalSectors = difatStart + difatSectors;

    std::string out(kSector * (static_cast<size_t>(totalSectors) + 1), '\0');

    // Header.
    static const unsigned char signature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    for (int i = 0; i < 8; ++i)
        out[i] = static_cast<char>(signature[i]);
    Put16(out, 24, 0x003E);
    Put16(out, 26, 0x0003);
    Put16(out, 28, 0xFFFE);
    Put16(out, 30, 9);
    Put16(out, 32, 6);
    Put32(out, 44, fatSectors);
    Put32(out, 48, dirStart);
    Put32(out, 56, kMiniCutoff);
    Put32(out, 60, kEndOfChain);
    Put32(out, 68, difatSectors ? difatStart : kEndOfChain);
    Put32(out, 72, difatSectors);
    for (uint32_t i = 0; i < kHeaderDifat; ++i)
        Put32(out, 76 + 4 * i, i < fatSectors ? fatStart + i : kFree);

    auto sectorAt = [](uint32_t sector) { return kSector * (static_cast<size_t>(sector) + 1); };

    // The stream, zero-padded to whole sectors.
    out.replace(sectorAt(0), stream.size(), stream);

    // Directory: root entry and the stream; the other two slots stay empty.
    const size_t dir = sectorAt(dirStart);
    DirEntry(out, dir, u"Root Entry", 5, 1, kEndOfChain, 0);
    DirEntry(out, dir + 128, streamName, 2, kNoStream, 0, static_cast<uint32_t>(streamSize));
    for (int i = 2; i < 4; ++i) {
        Put32(out, dir + 128 * i + 68, kNoStream);
        Put32(out, dir + 128 * i + 72, kNoStream);
        Put32(out, dir + 128 * i + 76, kNoStream);
    }

    // Allocation table.
    std::vector<uint32_t> fat(static_cast<size_t>(fatSectors) * (kSector / 4), kFree);
    for (uint32_t i = 0; i < streamSectors; ++i)
        fat[i] = i + 1 < streamSectors ? i + 1 : kEndOfChain;
    fat[dirStart] = kEndOfChain;
    for (uint32_t i = 0; i < fatSectors; ++i)
        fat[fatStart + i] = kFatSector;
    for (uint32_t i = 0; i < difatSectors; ++i)
        fat[difatStart + i] = kDifatSector;
    for (size_t i = 0; i < fat.size(); ++i)
        Put32(out, sectorAt(fatStart) + 4 * i, fat[i]);

    // Further FAT sector numbers beyond the header's 109, 127 per sector.
    uint32_t next = kHeaderDifat;
    for (uint32_t d = 0; d < difatSectors; ++d) {
        const size_t at = sectorAt(difatStart + d);
        for (uint32_t k = 0; k < kSector / 4 - 1; ++k, ++next)
            Put32(out, at + 4 * k, next < fatSectors ? fatStart + next : kFree);
        Put32(out, at + kSector - 4, d + 1 < difatSectors ? difatStart + d + 1 : kEndOfChain);
    }
    return out;
}

} // namespace xlsodbc
