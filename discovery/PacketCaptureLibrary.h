// Presence check of the platform's packet capture library.
#pragma once

// File name of the packet capture library on this platform. The environment
// variable VREL_PACKET_LIBRARY names another file (for a library installed
// elsewhere, or to start without one).
const char *PacketCaptureLibraryName();

// True when the library can be loaded; it stays loaded.
bool IsPacketLibraryPresent();
