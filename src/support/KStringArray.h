// An array of strings with a type of its own (match lists, for one).
#pragma once

#include <string>

#include "support/KArray.h"

class KStringArray : public KArray<std::u16string> {};
