// An array of 32-bit unsigned values with a type of its own.
#pragma once

#include <cstdint>

#include "support/KArray.h"

class KDWordArray : public KArray<uint32_t> {};
