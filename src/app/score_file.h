#pragma once
// The high-score file: the raw bytes of a block, each 0x0A stored as 0x0D 0x0A (the text-mode
// translation of the platform the file format was born on). 1 for success, 0 for failure.
#include <cstdint>

int readDataFile(const char* name, void* destination, int count);
int writeDataFile(const char* name, const void* source, int count);

// Writes the high scores, each entry raised to what the file holds now where that is larger:
// another copy of the game may have saved a better score since this one read the file. Every copy
// reads, merges and replaces under one lock, so two saves at once keep both copies' records. On
// failure errno tells why.
int saveScoreTable(const char* name, const int32_t (&table)[6]);
