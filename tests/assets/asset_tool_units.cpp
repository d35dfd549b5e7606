// The asset maker is its own program, so its checksum tuner is compiled into the tests here to
// be tested directly.
#include "../../tools/assets/canvas.cpp"
#include "../../tools/assets/checksum.cpp"
#include "../../tools/assets/checksum_tuner.cpp"
