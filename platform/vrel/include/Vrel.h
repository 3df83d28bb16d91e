/* The discovery library's C interface: calls, device callback, and the
 * records and parameter blocks exchanged with the program. Every layout is
 * fixed byte for byte; the static asserts below hold it in place. */
#ifndef VREL_H
#define VREL_H

#include <stddef.h>
#include <stdint.h>

#if defined(_WIN32)
#  define VREL_CALL __stdcall
#  if defined(VREL_BUILDING)
#    define VREL_API __declspec(dllexport)
#  else
#    define VREL_API __declspec(dllimport)
#  endif
#else
#  define VREL_CALL
#  define VREL_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

#pragma pack(push, 1)

/* Event codes at VREL_CALLBACK_RECORD::nEvent. */
enum {
    VREL_EVENT_FOUND = 1,
    VREL_EVENT_CHANGED = 2,
    VREL_EVENT_GONE = 3,
    VREL_EVENT_FOUND_AGAIN = 4
};

/* Capability bits at VREL_CALLBACK_RECORD::byCapability. */
enum {
    VREL_CAP_IPV6 = 0x01,
    VREL_CAP_IPV6_CHANGEABLE = 0x02,
    VREL_CAP_DHCP = 0x04,
    VREL_CAP_KEYFILE_RESET = 0x20,
    VREL_CAP_KEYFILE_NEW_PASSWORD = 0x40
};

/* The record handed to the device callback. Texts are 8-bit and
 * zero-terminated within their width. */
typedef struct VREL_CALLBACK_RECORD {
    char szProtocol[12];        /* 0x000: protocol tag, only checked */
    char szSerialNo[48];        /* 0x00C */
    char szMac[20];             /* 0x03C: "aa-bb-cc-dd-ee-ff" */
    char szIPv4Address[16];     /* 0x050 */
    char szIPv4SubnetMask[16];  /* 0x060 */
    int32_t nDeviceType;        /* 0x070 */
    int32_t nPort;              /* 0x074 */
    int32_t nChannelNumber;     /* 0x078 */
    int32_t nFurther;           /* 0x07C */
    char szSoftwareVersion[48]; /* 0x080 */
    char szDspVersion[48];      /* 0x0B0 */
    char szStartTime[48];       /* 0x0E0 */
    int32_t nEvent;             /* 0x110 */
    char szDeviceDescription[24]; /* 0x114 */
    uint8_t byReserved1[24];    /* 0x12C */
    char szIPv4Gateway[16];     /* 0x144 */
    char szIPv6Address[46];     /* 0x154 */
    char szIPv6Gateway[46];     /* 0x182 */
    uint8_t byIPv6PrefixLength; /* 0x1B0 */
    uint8_t byCapability;       /* 0x1B1 */
    uint8_t byDhcpState;        /* 0x1B2: 1 = on */
    uint8_t byExtended;         /* 0x1B3: 1 = gateway, IPv6 and capabilities valid */
    uint16_t wHttpPort;         /* 0x1B4 */
    uint8_t byReserved2[21];    /* 0x1B6 */
    uint8_t byActivation;       /* 0x1CB: 0 = activated */
    uint8_t byReserved3[52];    /* 0x1CC */
} VREL_CALLBACK_RECORD;

/* Network parameters for VREL_ModifyDeviceNetParam. Integers little-endian. */
typedef struct NetParamBlock {
    char szIPv4Address[16];     /* 0 */
    char szIPv4SubnetMask[16];  /* 16 */
    char szIPv4Gateway[16];     /* 32 */
    char szIPv6Address[128];    /* 48: "::" when none */
    char szIPv6Gateway[128];    /* 176: "::" when none */
    uint16_t wPort;             /* 304 */
    uint8_t byIPv6PrefixLength; /* 306 */
    uint8_t byDhcp;             /* 307: 1 on, 0 off */
    uint16_t wHttpPort;         /* 308 */
    uint8_t byReserved[126];    /* 310 */
} NetParamBlock;

/* Password reset parameters for VREL_ResetPasswd. */
typedef struct ResetParamBlock {
    char szSecurityCode[256];   /* 0: empty for a key file reset */
    char szKeyFilePath[260];    /* 256: local 8-bit encoding; empty for a code reset */
    char szNewPassword[16];     /* 516: may fill all 16 bytes without a zero */
    uint8_t byReserved[512];    /* 532 */
} ResetParamBlock;

/* Output of VREL_GetDeviceConfig: the device key. */
typedef struct DeviceKeyBuffer {
    uint32_t dwDataLength;      /* 0: valid bytes in byData */
    uint8_t byData[256];        /* 4 */
} DeviceKeyBuffer;

#pragma pack(pop)

/* Codes returned by VREL_GetLastError after a failed call. */
enum {
    VREL_ERR_NONE = 0,
    VREL_ERR_BAD_ARGUMENT = 1,
    VREL_ERR_NOT_STARTED = 2,
    VREL_ERR_NOT_FOUND = 3,
    VREL_ERR_TIMEOUT = 4,
    VREL_ERR_WRONG_PASSWORD = 5,
    VREL_ERR_REFUSED = 6,
    VREL_ERR_WRONG_CODE = 7,
    VREL_ERR_BAD_KEY_FILE = 8,
    VREL_ERR_NETWORK = 9,
    VREL_ERR_BUFFER_TOO_SMALL = 10,
    VREL_ERR_INTERNAL = 11
};

/* Called on a thread of the library for every found, changed or gone device. */
typedef void(VREL_CALL *VREL_DEVICE_CALLBACK)(const VREL_CALLBACK_RECORD *record, void *user);

/* 1: discovery runs. mode is always 1. */
VREL_API int VREL_CALL VREL_Start_V30(VREL_DEVICE_CALLBACK callback, int mode, void *user);
/* Returns after the last callback has returned; none starts afterwards. */
VREL_API int VREL_CALL VREL_Stop(void);
VREL_API int VREL_CALL VREL_SendInquiry(void);
/* 1: changed. */
VREL_API int VREL_CALL VREL_ModifyDeviceNetParam(const char *mac, const char *password,
                                                const NetParamBlock *block);
/* non-zero: activated. */
VREL_API int VREL_CALL VREL_ActivateDevice(const char *serialNo, const char *password);
/* 1: default password restored. */
VREL_API int VREL_CALL VREL_ResetDefaultPasswd(const char *serialNo, const char *code);
/* 1: password reset. */
VREL_API int VREL_CALL VREL_ResetPasswd(const char *serialNo, const ResetParamBlock *block);
/* non-zero: output filled. type is 1 (device key); output is a DeviceKeyBuffer. */
VREL_API int VREL_CALL VREL_GetDeviceConfig(const char *serialNo, int type, const void *input,
                                           int inputSize, void *output, int outputSize);
VREL_API int VREL_CALL VREL_GetLastError(void);

#ifdef __cplusplus
} /* extern "C" */
#endif

#ifdef __cplusplus
#  define VREL_STATIC_ASSERT static_assert
#else
#  define VREL_STATIC_ASSERT _Static_assert
#endif

VREL_STATIC_ASSERT(offsetof(VREL_CALLBACK_RECORD, szProtocol) == 0x000, "record layout");
VREL_STATIC_ASSERT(offsetof(VREL_CALLBACK_RECORD, szSerialNo) == 0x00C, "record layout");
VREL_STATIC_ASSERT(offsetof(VREL_CALLBACK_RECORD, szMac) == 0x03C, "record layout");
VREL_STATIC_ASSERT(offsetof(VREL_CALLBACK_RECORD, szIPv4Address) == 0x050, "record layout");
VREL_STATIC_ASSERT(offsetof(VREL_CALLBACK_RECORD, szIPv4SubnetMask) == 0x060, "record layout");
VREL_STATIC_ASSERT(offsetof(VREL_CALLBACK_RECORD, nDeviceType) == 0x070, "record layout");
VREL_STATIC_ASSERT(offsetof(VREL_CALLBACK_RECORD, nPort) == 0x074, "record layout");
VREL_STATIC_ASSERT(offsetof(VREL_CALLBACK_RECORD, nChannelNumber) == 0x078, "record layout");
VREL_STATIC_ASSERT(offsetof(VREL_CALLBACK_RECORD, nFurther) == 0x07C, "record layout");
VREL_STATIC_ASSERT(offsetof(VREL_CALLBACK_RECORD, szSoftwareVersion) == 0x080, "record layout");
VREL_STATIC_ASSERT(offsetof(VREL_CALLBACK_RECORD, szDspVersion) == 0x0B0, "record layout");
VREL_STATIC_ASSERT(offsetof(VREL_CALLBACK_RECORD, szStartTime) == 0x0E0, "record layout");
VREL_STATIC_ASSERT(offsetof(VREL_CALLBACK_RECORD, nEvent) == 0x110, "record layout");
VREL_STATIC_ASSERT(offsetof(VREL_CALLBACK_RECORD, szDeviceDescription) == 0x114, "record layout");
VREL_STATIC_ASSERT(offsetof(VREL_CALLBACK_RECORD, byReserved1) == 0x12C, "record layout");
VREL_STATIC_ASSERT(offsetof(VREL_CALLBACK_RECORD, szIPv4Gateway) == 0x144, "record layout");
VREL_STATIC_ASSERT(offsetof(VREL_CALLBACK_RECORD, szIPv6Address) == 0x154, "record layout");
VREL_STATIC_ASSERT(offsetof(VREL_CALLBACK_RECORD, szIPv6Gateway) == 0x182, "record layout");
VREL_STATIC_ASSERT(offsetof(VREL_CALLBACK_RECORD, byIPv6PrefixLength) == 0x1B0, "record layout");
VREL_STATIC_ASSERT(offsetof(VREL_CALLBACK_RECORD, byCapability) == 0x1B1, "record layout");
VREL_STATIC_ASSERT(offsetof(VREL_CALLBACK_RECORD, byDhcpState) == 0x1B2, "record layout");
VREL_STATIC_ASSERT(offsetof(VREL_CALLBACK_RECORD, byExtended) == 0x1B3, "record layout");
VREL_STATIC_ASSERT(offsetof(VREL_CALLBACK_RECORD, wHttpPort) == 0x1B4, "record layout");
VREL_STATIC_ASSERT(offsetof(VREL_CALLBACK_RECORD, byReserved2) == 0x1B6, "record layout");
VREL_STATIC_ASSERT(offsetof(VREL_CALLBACK_RECORD, byActivation) == 0x1CB, "record layout");
VREL_STATIC_ASSERT(sizeof(VREL_CALLBACK_RECORD) == 0x200, "record size");

VREL_STATIC_ASSERT(offsetof(NetParamBlock, szIPv4Address) == 0, "net block layout");
VREL_STATIC_ASSERT(offsetof(NetParamBlock, szIPv4SubnetMask) == 16, "net block layout");
VREL_STATIC_ASSERT(offsetof(NetParamBlock, szIPv4Gateway) == 32, "net block layout");
VREL_STATIC_ASSERT(offsetof(NetParamBlock, szIPv6Address) == 48, "net block layout");
VREL_STATIC_ASSERT(offsetof(NetParamBlock, szIPv6Gateway) == 176, "net block layout");
VREL_STATIC_ASSERT(offsetof(NetParamBlock, wPort) == 304, "net block layout");
VREL_STATIC_ASSERT(offsetof(NetParamBlock, byIPv6PrefixLength) == 306, "net block layout");
VREL_STATIC_ASSERT(offsetof(NetParamBlock, byDhcp) == 307, "net block layout");
VREL_STATIC_ASSERT(offsetof(NetParamBlock, wHttpPort) == 308, "net block layout");
VREL_STATIC_ASSERT(offsetof(NetParamBlock, byReserved) == 310, "net block layout");
VREL_STATIC_ASSERT(sizeof(NetParamBlock) == 436, "net block size");

VREL_STATIC_ASSERT(offsetof(ResetParamBlock, szSecurityCode) == 0, "reset block layout");
VREL_STATIC_ASSERT(offsetof(ResetParamBlock, szKeyFilePath) == 256, "reset block layout");
VREL_STATIC_ASSERT(offsetof(ResetParamBlock, szNewPassword) == 516, "reset block layout");
VREL_STATIC_ASSERT(offsetof(ResetParamBlock, byReserved) == 532, "reset block layout");
VREL_STATIC_ASSERT(sizeof(ResetParamBlock) == 1044, "reset block size");

VREL_STATIC_ASSERT(offsetof(DeviceKeyBuffer, dwDataLength) == 0, "key buffer layout");
VREL_STATIC_ASSERT(offsetof(DeviceKeyBuffer, byData) == 4, "key buffer layout");
VREL_STATIC_ASSERT(sizeof(DeviceKeyBuffer) == 260, "key buffer size");

#endif /* VREL_H */
