// IP transport: a table of four UDP/TCP endpoints with polling send and receive, and the endpoint record
// and its text form "[IP-Adresse#]Portnummer".
#pragma once
#include <cstdint>
