// The host's fixed UTF-16 buffers: the module hands the host a buffer and a capacity for every path.
#pragma once

#include <cstdint>
#include <string_view>

// Copies the UTF-16 form of a UTF-8 text into a host buffer of capacity units (terminator included).
// Result 0 when it fits; otherwise 1 and an empty buffer, so a cut path is never used.
int32_t CopyToBuffer(std::string_view text, char16_t* buffer, int32_t capacity);
