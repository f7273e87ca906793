// FIFO message channels: a table of four named pipes with a 12-byte header before every message body.
#pragma once
#include <cstdint>

// Message header on the wire: three 32-bit integers in the machine's byte order, no padding.
struct IPC_HEADER {
    std::int32_t iPID;     // process id given by the sender
    std::int32_t iTyp;     // IPC_TYP_*
    std::int32_t iBodyLen; // body bytes after the header
};
static_assert(sizeof(IPC_HEADER) == 12, "the header has no padding");

constexpr int IPC_TYP_TSYNC = 7;   // body: data of the sender (the clock setting: 14-digit time text)
constexpr int IPC_TYP_CMD = 20;    // body: command byte, subcommand byte, data
constexpr int IPC_TYP_SYSTEM = 99; // body: data of the sender

constexpr int IPC_APP_MAX = 4;
extern int APP_IPC[IPC_APP_MAX]; // descriptor of each channel's FIFO, -1 = free
extern int iIPC_Error;           // system error number of the last failing system call
extern int iIPC_WarteMs;         // how long a receive waits for the body of a header it read (100 ms)
// Body buffer of a command message (program variant): its data part holds this size minus 2 bytes.
extern const int iIPC_CmdBufLen;

// Number of earlier calls; clears the table on the first.
int IPC_INIT();
// Opens (creating it if needed) the FIFO cName on the lowest free channel and drains it: the channel index,
// -1 failed (logged), -2 no channel free. iModus is only traced.
int IPC_OPEN(const char *cName, int iModus);
// 0; -1 close failed; -2 bad index; -3 channel free.
int IPC_CLOSE(int iIndex);
// iCMD < 0: message of type -iCMD with the data as body; otherwise type 20 with command and subcommand bytes
// before the data. 0; -1 body not written (logged); -2 bad index; -3 channel free; -4 data too long for a
// command message or a negative count.
int IPC_SEND(int iIndex, int iPID, int iCMD, int iSCMD, int iAnzahl, const unsigned char *ucData);
// Takes at most one message, never waits: the bytes placed in ucBuf (> 0; 0 for a command without data),
// -1 nothing waiting, -2 bad index, -3 channel free, -4 iLen below 1, -5 no buffer, -10 faulty message
// (logged). *iCMD is -7/-99 for a type-7/99 message, the command byte for a type-20 message, else 0.
int IPC_RECV(int iIndex, int *iCMD, int *iSCMD, int iLen, unsigned char *ucBuf);
