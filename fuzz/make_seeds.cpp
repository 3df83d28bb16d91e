// Writes the seed corpus: one valid datagram of every kind, for both ends.
#include <cstdio>
#include <string>

#include "Commands.h"
#include "InquiryPlanner.h"
#include "Seal.h"
#include "Wire.h"

using namespace vrelp;

namespace {

void save(const std::string &dir, const std::string &name, const std::vector<uint8_t> &d)
{
    FILE *f = std::fopen((dir + "/" + name).c_str(), "wb");
    if (!f)
        return;
    std::fwrite(d.data(), 1, d.size(), f);
    std::fclose(f);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3 || !cryptoInit())
        return 2;
    const std::string client = argv[1], device = argv[2];
    DeviceInfo info;
    info.mac = {0x02, 0x5a, 0x01, 0x00, 0x00, 0x01};
    info.serial = "VR00000001";
    info.ipv4 = {192, 168, 1, 64};
    info.mask = {255, 255, 255, 0};
    info.description = "IPC-Dome-4MP";
    info.activated = true;
    Key32 deviceSecret;
    deviceSecret.fill(0x10);
    info.publicKey = publicFromSecret(deviceSecret);
    const KeyPair clientKeys = makeKeyPair();

    Writer w(MsgType::Info, 7);
    writeDeviceInfo(w, info);
    w.u8(TagReason, 1);
    w.u16(TagHoldSeconds, 32);
    save(client, "info", w.data());

    Writer bye(MsgType::Bye, 0);
    bye.array(TagMac, info.mac);
    bye.text(TagSerial, info.serial);
    save(client, "bye", bye.data());

    Writer ch(MsgType::Challenge, 8);
    Challenge c{};
    ch.array(TagMac, info.mac);
    ch.text(TagSerial, info.serial);
    ch.array(TagChallenge, c);
    ch.array(TagPublicKey, info.publicKey);
    save(client, "challenge", ch.data());

    CommandResult res;
    res.txid = 9;
    res.op = Op::GetKey;
    res.status = Status::Ok;
    res.deviceKey = {'<', 'k', '/', '>'};
    const auto plainResult = encodeResult(res);
    save(client, "result-plain", plainResult);
    Writer rw(MsgType::Result, 9);
    rw.array(TagMac, info.mac);
    const auto sealedResult = seal(plainResult, clientKeys.publicKey, deviceSecret);
    rw.bytes(TagSealed, sealedResult.data(), sealedResult.size());
    save(client, "result", rw.data());

    save(device, "inquiry-0", planInquiry(5, 0, 300, {})[0]);
    save(device, "inquiry-1", planInquiry(5, 1, 300, {info.mac, {0x02, 0x5a, 1, 0, 0, 2}})[0]);
    Writer ask(MsgType::ChallengeRequest, 6);
    ask.text(TagSerial, info.serial);
    save(device, "challenge-request", ask.data());
    for (int op = 1; op <= 6; ++op) {
        CommandRequest cmd;
        cmd.txid = 10 + uint32_t(op);
        cmd.op = Op(op);
        cmd.mac = info.mac;
        cmd.password = "Admin12345";
        cmd.newPassword = "Fresh12345";
        cmd.hasNewPassword = true;
        cmd.securityCode = "SC";
        cmd.deviceKey = {'<', 'k', '/', '>'};
        cmd.net.ipv4 = {10, 0, 0, 9};
        cmd.net.mask = {255, 0, 0, 0};
        const auto plain = encodeCommand(cmd);
        save(client, "command-plain-" + std::to_string(op), plain);
        const auto sealed = seal(plain, info.publicKey, clientKeys.secretKey);
        Writer cw(MsgType::Command, cmd.txid);
        cw.array(TagMac, info.mac);
        cw.array(TagClientKey, clientKeys.publicKey);
        cw.bytes(TagSealed, sealed.data(), sealed.size());
        save(device, "command-" + std::to_string(op), cw.data());
    }
    return 0;
}
