// The one way the code base includes the Windows API: lean, and without the min and max macros that would
// break std::min, std::max and std::numeric_limits. Include it only under _WIN32.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
