// System services: console settings, child processes and shell commands, disk figures, file time and size.
#pragma once
#include <cstdint>
#include <cstdio>
#include <termios.h>

extern struct termios tsSY_STDIN_ots;

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
