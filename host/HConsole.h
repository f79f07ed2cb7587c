// Where a subcommand writes: its output, its messages, and whether the output may be coloured.
#pragma once

#include <ostream>

struct HConsole {
  std::ostream& out;
  std::ostream& err;
  bool colour;
};
