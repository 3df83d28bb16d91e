// The exported C functions of libVrel.
#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "Commands.h"
#include "DiscoveryEngine.h"
#include "Net.h"
#include "Vrel.h"

using namespace vrelp;

namespace {

std::mutex g_engineMutex;
std::shared_ptr<DiscoveryEngine> g_engine;
thread_local int t_lastError = VREL_ERR_NONE;

int fail(int code)
{
    t_lastError = code;
    return 0;
}

int succeed()
{
    t_lastError = VREL_ERR_NONE;
    return 1;
}

std::shared_ptr<DiscoveryEngine> engine()
{
    std::lock_guard<std::mutex> lock(g_engineMutex);
    return g_engine;
}

// A text of a fixed-width field: up to the first zero, false when there is none.
bool fieldText(const char *field, size_t width, std::string &out)
{
    const size_t n = strnlen(field, width);
    if (n == width)
        return false;
    out.assign(field, n);
    return true;
}

bool argumentText(const char *text, size_t maxLength, std::string &out)
{
    if (!text)
        return false;
    const size_t n = strnlen(text, maxLength + 1);
    if (n > maxLength)
        return false;
    out.assign(text, n);
    return true;
}

bool serialTarget(const char *serialNo, Target &target)
{
    target = Target();
    return argumentText(serialNo, kMaxSerial, target.serial) && !target.serial.empty();
}

bool contiguousMask(const std::array<uint8_t, 4> &m)
{
    const uint32_t v = (uint32_t(m[0]) << 24) | (uint32_t(m[1]) << 16) | (uint32_t(m[2]) << 8) | m[3];
    const uint32_t inverted = ~v;
    return v != 0 && (inverted & (inverted + 1)) == 0;
}

bool ipv6Field(const char *field, std::array<uint8_t, 16> &out)
{
    std::string text;
    if (!fieldText(field, 128, text))
        return false;
    out.fill(0);
    return text.empty() || ipv6FromText(text, out.data());
}

int run(const Target &target, CommandRequest &request, CommandResult &result)
{
    const std::shared_ptr<DiscoveryEngine> e = engine();
    if (!e)
        return fail(VREL_ERR_NOT_STARTED);
    const int rc = e->runCommand(target, request, result);
    return rc == VREL_ERR_NONE ? succeed() : fail(rc);
}

bool readKeyFile(const std::string &path, std::vector<uint8_t> &out)
{
    FILE *f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    out.resize(kMaxDeviceKey + 1);
    const size_t n = std::fread(out.data(), 1, out.size(), f);
    const bool readError = std::ferror(f) != 0;
    std::fclose(f);
    if (readError || n == 0 || n > kMaxDeviceKey) {
        wipe(out.data(), out.size());
        out.clear();
        return false;
    }
    out.resize(n);
    return true;
}

} // namespace

extern "C" {

VREL_API int VREL_CALL VREL_Start_V30(VREL_DEVICE_CALLBACK callback, int mode, void *user)
{
    if (!callback || mode != 1)
        return fail(VREL_ERR_BAD_ARGUMENT);
    std::lock_guard<std::mutex> lock(g_engineMutex);
    if (g_engine)
        return fail(VREL_ERR_REFUSED);
    NetConfig config;
    if (!NetConfig::fromEnvironment(config))
        return fail(VREL_ERR_BAD_ARGUMENT);
    auto e = std::make_shared<DiscoveryEngine>(config, callback, user);
    const int rc = e->start();
    if (rc != VREL_ERR_NONE)
        return fail(rc);
    g_engine = e;
    return succeed();
}

VREL_API int VREL_CALL VREL_Stop(void)
{
    std::shared_ptr<DiscoveryEngine> e;
    {
        std::lock_guard<std::mutex> lock(g_engineMutex);
        e.swap(g_engine);
    }
    if (!e)
        return fail(VREL_ERR_NOT_STARTED);
    e->stop();
    if (e->onCallbackThread()) {
        // Stopped from inside a callback: that callback still runs on the
        // engine's delivery thread, so the engine must outlive it.
        static std::mutex retiredMutex;
        static std::vector<std::shared_ptr<DiscoveryEngine>> retired;
        std::lock_guard<std::mutex> lock(retiredMutex);
        retired.push_back(e);
    }
    return succeed();
}

VREL_API int VREL_CALL VREL_SendInquiry(void)
{
    const std::shared_ptr<DiscoveryEngine> e = engine();
    if (!e)
        return fail(VREL_ERR_NOT_STARTED);
    return e->sendInquiry() ? succeed() : fail(VREL_ERR_NETWORK);
}

VREL_API int VREL_CALL VREL_ModifyDeviceNetParam(const char *mac, const char *password, const NetParamBlock *block)
{
    Target target;
    std::string macText, text;
    CommandRequest req;
    req.op = Op::ModifyNet;
    if (!argumentText(mac, 17, macText) || !macFromText(macText, target.mac) || !block)
        return fail(VREL_ERR_BAD_ARGUMENT);
    target.hasMac = true;
    if (!argumentText(password, kMaxSecret, req.password))
        return fail(VREL_ERR_BAD_ARGUMENT);
    if (!fieldText(block->szIPv4Address, 16, text) || !ipv4FromText(text, req.net.ipv4.data()))
        return fail(VREL_ERR_BAD_ARGUMENT);
    if (!fieldText(block->szIPv4SubnetMask, 16, text) || !ipv4FromText(text, req.net.mask.data())
        || !contiguousMask(req.net.mask))
        return fail(VREL_ERR_BAD_ARGUMENT);
    if (!fieldText(block->szIPv4Gateway, 16, text) || (!text.empty() && !ipv4FromText(text, req.net.gateway.data())))
        return fail(VREL_ERR_BAD_ARGUMENT);
    if (!ipv6Field(block->szIPv6Address, req.net.ipv6) || !ipv6Field(block->szIPv6Gateway, req.net.ipv6Gateway)
        || block->byIPv6PrefixLength > 128 || block->byDhcp > 1)
        return fail(VREL_ERR_BAD_ARGUMENT);
    req.net.ipv6Prefix = block->byIPv6PrefixLength;
    req.net.port = block->wPort;
    req.net.httpPort = block->wHttpPort;
    req.net.dhcp = block->byDhcp == 1;
    CommandResult result;
    return run(target, req, result);
}

VREL_API int VREL_CALL VREL_ActivateDevice(const char *serialNo, const char *password)
{
    Target target;
    CommandRequest req;
    req.op = Op::Activate;
    req.hasNewPassword = true;
    if (!serialTarget(serialNo, target) || !argumentText(password, kMaxSecret, req.newPassword)
        || req.newPassword.empty())
        return fail(VREL_ERR_BAD_ARGUMENT);
    CommandResult result;
    return run(target, req, result);
}

VREL_API int VREL_CALL VREL_ResetDefaultPasswd(const char *serialNo, const char *code)
{
    Target target;
    CommandRequest req;
    req.op = Op::RestoreDefault;
    if (!serialTarget(serialNo, target) || !argumentText(code, kMaxSecret, req.securityCode)
        || req.securityCode.empty())
        return fail(VREL_ERR_BAD_ARGUMENT);
    CommandResult result;
    return run(target, req, result);
}

VREL_API int VREL_CALL VREL_ResetPasswd(const char *serialNo, const ResetParamBlock *block)
{
    Target target;
    CommandRequest req;
    std::string path;
    if (!serialTarget(serialNo, target) || !block)
        return fail(VREL_ERR_BAD_ARGUMENT);
    if (!fieldText(block->szSecurityCode, sizeof block->szSecurityCode, req.securityCode)
        || !fieldText(block->szKeyFilePath, sizeof block->szKeyFilePath, path))
        return fail(VREL_ERR_BAD_ARGUMENT);
    // The new password may fill its 16 bytes without a terminating zero.
    req.newPassword.assign(block->szNewPassword, strnlen(block->szNewPassword, sizeof block->szNewPassword));
    req.hasNewPassword = !req.newPassword.empty();
    if (!req.securityCode.empty()) {
        req.op = req.hasNewPassword ? Op::ResetWithCode : Op::RestoreDefault;
    } else if (!path.empty()) {
        req.op = Op::ResetWithKey;
        if (!readKeyFile(path, req.deviceKey))
            return fail(VREL_ERR_BAD_KEY_FILE);
    } else {
        return fail(VREL_ERR_BAD_ARGUMENT);
    }
    CommandResult result;
    return run(target, req, result);
}

VREL_API int VREL_CALL VREL_GetDeviceConfig(const char *serialNo, int type, const void *input, int inputSize,
                                           void *output, int outputSize)
{
    (void)input;
    (void)inputSize;
    Target target;
    if (!serialTarget(serialNo, target) || type != 1)
        return fail(VREL_ERR_BAD_ARGUMENT);
    if (!output || outputSize < int(sizeof(DeviceKeyBuffer)))
        return fail(VREL_ERR_BUFFER_TOO_SMALL);
    CommandRequest req;
    req.op = Op::GetKey;
    CommandResult result;
    if (!run(target, req, result))
        return 0;
    DeviceKeyBuffer buffer;
    std::memset(&buffer, 0, sizeof buffer);
    buffer.dwDataLength = uint32_t(result.deviceKey.size());
    std::memcpy(buffer.byData, result.deviceKey.data(), result.deviceKey.size());
    std::memcpy(output, &buffer, sizeof buffer);
    wipe(&buffer, sizeof buffer);
    wipe(result.deviceKey.data(), result.deviceKey.size());
    return succeed();
}

VREL_API int VREL_CALL VREL_GetLastError(void) { return t_lastError; }

} // extern "C"
