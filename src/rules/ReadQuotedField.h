// Reads one double-quoted field of a legacy rule line.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Skips to the next double quote at or after cursor and reads the field it opens: a doubled quote inside
// stands for one quote, a single quote closes the field (cursor is left just behind it), and the end of the
// line closes it too. Without an opening quote the result is false and field is left as it was.
bool ReadQuotedField(std::u16string_view line, size_t& cursor, std::u16string& field);
