#pragma once
// The high-score file: the raw bytes of a block, each 0x0A stored as 0x0D 0x0A (the text-mode
// translation of the platform the file format was born on). 1 for success, 0 for failure.

int readDataFile(const char* name, void* destination, int count);
int writeDataFile(const char* name, const void* source, int count);
