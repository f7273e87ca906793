// The converter program: CSV data points to a ZDB reference file, hand-over to the loader.
#pragma once
#include <cstdint>
#include <cstdio>
