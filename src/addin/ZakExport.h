// Marks the module's exported functions: C names, caller cleans, visible outside the module.
#pragma once

#ifdef _WIN32
#define ZAK_EXPORT extern "C" __declspec(dllexport)
#else
#define ZAK_EXPORT extern "C" __attribute__((visibility("default")))
#endif
