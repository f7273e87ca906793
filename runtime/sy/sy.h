// System services: console settings, child processes and shell commands, disk figures, file time and size.
#pragma once
#include <cstdint>
#include <cstdio>
#include <termios.h>

extern struct termios tsSY_STDIN_ots;
extern bool bSY_STDIN_ots; // the settings were read by SY_INIT

int SY_INIT();
int SY_EXIT();
int SY_PS_CFORK();
int SY_PS_CSYST(const char *cBefehl);
int SY_PS_CPOLL(int iPid, int *ipStat);
std::uint32_t SY_DISKSIZE();
std::uint32_t SY_DISKFREE();
std::uint32_t SY_FI_DT(const char *cName);
std::uint32_t SY_FI_SIZE(const char *cName);
int SY_FI_CHSIZE(FILE *fp, long lLen);
void *SY_CALLOC(int iAnz, int iSize);
int SY_IEEE2F(const unsigned char *ucSrc, unsigned char *ucDst);

// ---- Disk measurement helpers of the scanner build (df children) -----------------------------------------
// Starts a child that runs "exec df -k . >cFile"; returns its process number (-1 when none was started).
int SY_DF_START(const char *cName, const char *cFile);
// Reads the df output in cFile (field iFeld of the line after the header: 2 = 1K-blocks, 4 = Available) and
// removes the file: -1 not readable, 0 no data line, 1 *ulBytes set (0xFFFFFFFF when out of range).
int SY_DF_READ(const char *cFile, int iFeld, std::uint32_t *ulBytes);

// ---- Disk measurement helper of the converter build (file-system statistics) ----------------------------
// Blocks x block size, saturated to 0xFFFFFFFF whenever the product might not fit in 32 bits.
std::uint32_t SY_SF_BYTES(unsigned long ulBSize, unsigned long long ullBlocks);
// Size (or with bFrei the available bytes) from the statistics of "."; cName heads its trace lines.
std::uint32_t SY_SF_MESS(const char *cName, bool bFrei);
