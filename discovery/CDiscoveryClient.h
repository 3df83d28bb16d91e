// The panel's one gateway to the discovery library.
#pragma once

#include <QByteArray>
#include <QString>

#include <Vrel.h>

class CDiscoveryClient
{
public:
    CDiscoveryClient() = default;
    CDiscoveryClient(const CDiscoveryClient &) = delete;
    CDiscoveryClient &operator=(const CDiscoveryClient &) = delete;

    void SetCallback(VREL_DEVICE_CALLBACK callback, void *user);
    bool Start();
    bool Stop();
    bool SendInquiry();

    // Fills a NetParamBlock and sends it. A missing (null) IPv6 text is sent
    // as "::". Texts are passed as Latin-1.
    bool ModifyNetParam(const QString &mac, const QString &ipv4, const QString &mask,
                        const QString &password, const QString &port, const QString &httpPort,
                        const QString &gateway, const QString &ipv6, const QString &ipv6Gateway,
                        int prefixLength, bool dhcp);
    bool ActivateDevice(const QString &serial, const QString &password);
    bool ResetDefaultPassword(const QString &serial, const QString &code);
    bool ResetPassword(const QString &serial, const ResetParamBlock &block);
    int GetDeviceConfig(const QString &serial, int type, const void *input, int inputSize,
                        void *output, int outputSize);

private:
    VREL_DEVICE_CALLBACK m_callback = nullptr;
    void *m_user = nullptr;
};

// The block ModifyNetParam sends; a plain function so that its bytes can be
// checked on their own.
NetParamBlock MakeNetParamBlock(const QString &ipv4, const QString &mask, const QString &gateway,
                                const QString &ipv6, const QString &ipv6Gateway,
                                const QString &port, const QString &httpPort, int prefixLength,
                                bool dhcp);

// atoi on the Latin-1 text: optional white space and sign, then leading digits.
int AtoiText(const QString &text);
