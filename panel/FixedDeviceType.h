#pragma once

// Devices of these types are listed but offer no change: 0x9D00 to 0x9FFF.
constexpr bool IsFixedDeviceType(int type)
{
    return type >= 0x9D00 && type <= 0x9FFF;
}
