#include "CDiscoveryClient.h"

#include <cstdlib>
#include <cstring>

#include "VrelDeviceInfo.h"

void CDiscoveryClient::SetCallback(VREL_DEVICE_CALLBACK callback, void *user)
{
    m_callback = callback;
    m_user = user;
}

bool CDiscoveryClient::Start()
{
    return VREL_Start_V30(m_callback, 1, m_user) == 1;
}

bool CDiscoveryClient::Stop()
{
    return VREL_Stop() == 1;
}

bool CDiscoveryClient::SendInquiry()
{
    return VREL_SendInquiry() == 1;
}

int AtoiText(const QString &text)
{
    return atoi(text.toLatin1().constData());
}

NetParamBlock MakeNetParamBlock(const QString &ipv4, const QString &mask, const QString &gateway,
                                const QString &ipv6, const QString &ipv6Gateway,
                                const QString &port, const QString &httpPort, int prefixLength,
                                bool dhcp)
{
    NetParamBlock block;
    memset(&block, 0, sizeof block);
    block.byDhcp = dhcp ? 1 : 0;
    block.byIPv6PrefixLength = uint8_t(prefixLength & 0xff);
    if (!ipv4.isNull())
        SetField(block.szIPv4Address, ipv4.toLatin1());
    if (!gateway.isNull())
        SetField(block.szIPv4Gateway, gateway.toLatin1());
    if (!mask.isNull())
        SetField(block.szIPv4SubnetMask, mask.toLatin1());
    SetField(block.szIPv6Address, ipv6.isEmpty() ? QByteArray("::") : ipv6.toLatin1());
    SetField(block.szIPv6Gateway, ipv6Gateway.isEmpty() ? QByteArray("::") : ipv6Gateway.toLatin1());
    block.wPort = uint16_t(AtoiText(port) & 0xffff);
    block.wHttpPort = uint16_t(AtoiText(httpPort) & 0xffff);
    return block;
}

bool CDiscoveryClient::ModifyNetParam(const QString &mac, const QString &ipv4, const QString &mask,
                                      const QString &password, const QString &port,
                                      const QString &httpPort, const QString &gateway,
                                      const QString &ipv6, const QString &ipv6Gateway,
                                      int prefixLength, bool dhcp)
{
    const NetParamBlock block = MakeNetParamBlock(ipv4, mask, gateway, ipv6, ipv6Gateway, port,
                                                  httpPort, prefixLength, dhcp);
    const QByteArray macText = mac.toLatin1();
    const QByteArray passwordText = password.toLatin1();
    if (VREL_ModifyDeviceNetParam(macText.constData(), passwordText.constData(), &block) == 1)
        return true;
    VREL_GetLastError();
    return false;
}

bool CDiscoveryClient::ActivateDevice(const QString &serial, const QString &password)
{
    return VREL_ActivateDevice(serial.toLatin1().constData(), password.toLatin1().constData()) != 0;
}

bool CDiscoveryClient::ResetDefaultPassword(const QString &serial, const QString &code)
{
    return VREL_ResetDefaultPasswd(serial.toLatin1().constData(), code.toLatin1().constData()) == 1;
}

bool CDiscoveryClient::ResetPassword(const QString &serial, const ResetParamBlock &block)
{
    if (VREL_ResetPasswd(serial.toLatin1().constData(), &block) == 1)
        return true;
    VREL_GetLastError();
    return false;
}

int CDiscoveryClient::GetDeviceConfig(const QString &serial, int type, const void *input,
                                      int inputSize, void *output, int outputSize)
{
    return VREL_GetDeviceConfig(serial.toLatin1().constData(), type, input, inputSize, output,
                                outputSize);
}
