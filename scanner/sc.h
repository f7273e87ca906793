// The scanner program: entry, set-up, scan loop, reference file and device file.
#pragma once
#include <cstdint>
#include <cstdio>
