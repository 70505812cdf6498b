#pragma once

// The logger's wire protocol in one place: request and reply codes, the
// frame every request and reply travels in, and where each reply keeps its
// fields. Decoders and the engine use these; the logger simulator keeps its
// own on purpose, so that one mistake cannot hide in both.

#include <cstdint>

// Request codes; every reply code is the request code plus one.
enum CommandCode : uint8_t {
    CMD_IDENTIFY = 0x51,
    CMD_READ_SETUP = 0x53,
    CMD_SYNC_SETUP = 0x55,
    CMD_AUTO_LOGS = 0x57,
    CMD_DELETE_AUTO = 0x59,
    CMD_MANU_LOGS = 0x5B,
    CMD_DELETE_MANU = 0x5D,
    CMD_REALTIME = 0x67,
};

enum ReplyCode : uint8_t {
    REPLY_IDENTIFY = 0x52,
    REPLY_SETUP = 0x54,
    REPLY_SYNC = 0x56,
    REPLY_AUTO_LOGS = 0x58,
    REPLY_DELETE_AUTO = 0x5A,
    REPLY_MANU_LOGS = 0x5C,
    REPLY_DELETE_MANU = 0x5E,
    REPLY_REALTIME = 0x68,
    REPLY_0x73 = 0x73,
    REPLY_0x81 = 0x81,
};

// The frame: lead, serial number, code, payload, check byte (exclusive-or of
// serial number to payload), trailer.
inline constexpr uint8_t kFrameLead[] = {0x01, 0x16, 0x7B, 0x28};
inline constexpr uint8_t kFrameTrailer[] = {0x29, 0x7D, 0x7E, 0x04};
inline constexpr int kFrameOverhead = 20;  // lead 4, serial 10, code 1, check 1, trailer 4
inline constexpr int kFrameSerialOffset = 4;
inline constexpr int kFrameSerialLength = 10;
inline constexpr int kFrameCodeOffset = 14;
inline constexpr int kFramePayloadOffset = 15;
inline constexpr int kFrameCheckedFirst = 4;  // the check byte covers serial number to payload
inline constexpr int kCheckFromEnd = 5;       // in a frame of n bytes the check byte is at n-5

// Replies of one status byte (1 = done) carry it first in their payload.
inline constexpr int kStatusOffset = kFramePayloadOffset;
inline constexpr uint8_t kStatusDone = 1;

// Identify reply: status, then the channel configuration.
inline constexpr int kIdentifyReplyLength = 22;
inline constexpr int kIdentifyConfigOffset = 16;

// Sync and delete replies: the status alone.
inline constexpr int kSyncReplyLength = 21;
inline constexpr int kDeleteReplyLength = 21;

// Realtime sample reply: status, channel 1 as int32 and 2..4 as int16 tenths.
inline constexpr int kRealtimeSampleLength = 31;
inline constexpr int kSampleCh1Offset = 16;
inline constexpr int kSampleCh2Offset = 20;
inline constexpr int kSampleCh3Offset = 22;
inline constexpr int kSampleCh4Offset = 24;
inline constexpr int kSampleValuesEnd = 26;

// Log package: status, total packages (u16), this package's number (u16),
// record count r (u8), r records, check byte, trailer.
inline constexpr int kAutoRecordSize = 14;
inline constexpr int kManuRecordSize = 15;  // the Auto layout and one spare byte
inline constexpr int kPackageTotalOffset = 16;
inline constexpr int kPackageNumberOffset = 18;
inline constexpr int kPackageCountOffset = 20;
inline constexpr int kPackageRecordsOffset = 21;
inline constexpr int kPackageOverhead = 26;  // a package is this + r * record size
// An Auto download with nothing stored: no package, the frame's check byte at
// 16 and its trailer.
inline constexpr int kAutoNoLogsLength = 21;

// Log record: packed time (u32), channel 1 (int32), channels 2..4 (int16).
inline constexpr int kRecordTimeOffset = 0;
inline constexpr int kRecordCh1Offset = 4;
inline constexpr int kRecordCh2Offset = 8;
inline constexpr int kRecordCh3Offset = 10;
inline constexpr int kRecordCh4Offset = 12;

// Setup reply.
inline constexpr int kSetupReplyLength = 99;
inline constexpr int kSetupNameOffset = 16;
inline constexpr int kSetupNameLength = 24;
inline constexpr int kSetupConfigOffset = 40;
inline constexpr int kSetupModelOffset = 41;
inline constexpr int kSetupModelLength = 6;
inline constexpr int kSetupHardwareOffset = 47;
inline constexpr int kSetupHardwareLength = 5;
inline constexpr int kSetupSamplingOffset = 52;
inline constexpr int kSetupLogIntervalOffset = 53;
inline constexpr int kSetupLogsCountOffset = 57;
inline constexpr int kSetupCapacityOffset = 61;
inline constexpr int kSetupManuCountOffset = 65;
inline constexpr int kSetupCh1HighOffset = 66;
inline constexpr int kSetupCh1LowOffset = 70;
inline constexpr int kSetupCh2HighOffset = 74;
inline constexpr int kSetupCh2LowOffset = 76;
inline constexpr int kSetupCh3HighOffset = 78;
inline constexpr int kSetupCh3LowOffset = 80;
inline constexpr int kSetupCh4HighOffset = 82;
inline constexpr int kSetupCh4LowOffset = 84;
inline constexpr int kSetupOffsetsOffset = 86;
// The logger stores one record in 14 bytes; its capacity arrives in bytes.
inline constexpr int32_t kStoredRecordSize = 14;

// Sync frame (a request with its own layout).
inline constexpr int kSyncFrameLength = 86;
inline constexpr int kSyncFlagOffset = 15;
inline constexpr uint8_t kSyncFlag = 0x01;
inline constexpr int kSyncSecondOffset = 16;
inline constexpr int kSyncMinuteOffset = 17;
inline constexpr int kSyncHourOffset = 18;
inline constexpr int kSyncDayOffset = 19;
inline constexpr int kSyncMonthOffset = 20;
inline constexpr int kSyncCenturyOffset = 21;
inline constexpr int kSyncYearOffset = 22;
inline constexpr int kSyncNameOffset = 23;
inline constexpr int kSyncConfigOffset = 47;
inline constexpr int kSyncSamplingOffset = 48;
inline constexpr int kSyncLogIntervalOffset = 49;
inline constexpr int kSyncCh1HighOffset = 53;
inline constexpr int kSyncCh1LowOffset = 57;
inline constexpr int kSyncCh2HighOffset = 61;
inline constexpr int kSyncCh2LowOffset = 63;
inline constexpr int kSyncCh3HighOffset = 65;
inline constexpr int kSyncCh3LowOffset = 67;
inline constexpr int kSyncCh4HighOffset = 69;
inline constexpr int kSyncCh4LowOffset = 71;
inline constexpr int kSyncOffsetsOffset = 73;
inline constexpr int kSyncCheckOffset = 81;
inline constexpr int kSyncTrailerOffset = 82;
