// FIFO message channels: a table of four named pipes with a 12-byte header before every message body.
#pragma once
#include <cstdint>
