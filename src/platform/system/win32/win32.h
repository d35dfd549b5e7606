#pragma once
// <windows.h> as the Windows code takes it: without its rarely used parts, and without the min
// and max macros that would break the standard library's.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
