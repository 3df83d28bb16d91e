// Builders for device records as the discovery library hands them over.
#pragma once

#include <QByteArray>
#include <QString>

#include <Vrel.h>

struct TestDevice
{
    QByteArray serial = "DS-2CD2000-0001";
    QByteArray mac = "00-11-22-33-44-01";
    QByteArray ipv4 = "192.168.1.64";
    QByteArray mask = "255.255.255.0";
    QByteArray gateway = "192.168.1.1";
    QByteArray ipv6 = "fe80::211:22ff:fe33:4401";
    QByteArray ipv6Gateway = "fe80::1";
    QByteArray softwareVersion = "V5.5.0build 180710";
    QByteArray dspVersion = "V7.3build 180523";
    QByteArray startTime = "2026-12-01 08:00:00";
    QByteArray description = "IPCamera";
    int type = 0x1234;
    int port = 8000;
    int channels = 1;
    int further = 0;
    int httpPort = 80;
    int prefix = 64;
    int capability = VREL_CAP_IPV6 | VREL_CAP_IPV6_CHANGEABLE | VREL_CAP_DHCP;
    int dhcp = 0;
    int extended = 1;
    int activation = 0;   // 0 = activated
};

// The n-th device of a numbered fleet: distinct serial, MAC and address.
TestDevice FleetDevice(int n);

VREL_CALLBACK_RECORD MakeRecord(const TestDevice &device, int event);
