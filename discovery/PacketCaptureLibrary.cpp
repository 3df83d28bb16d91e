#include "PacketCaptureLibrary.h"

#include <cstdlib>

#include <zenu.h>

const char *PacketCaptureLibraryName()
{
#if defined(_WIN32)
    static const char kDefault[] = "PACKET.dll";
#else
    static const char kDefault[] = "libpcap.so.0.8";
#endif
    const char *overridden = getenv("VREL_PACKET_LIBRARY");
    return overridden ? overridden : kDefault;
}

bool IsPacketLibraryPresent()
{
    return Zenu_LoadDSo(PacketCaptureLibraryName()) != nullptr;
}
