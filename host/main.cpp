// inline-patterns: checks XLIFF and PO files with the Inline Patterns add-in module.
#include <unistd.h>

#include <csignal>
#include <exception>
#include <iostream>

#include "HApplication.h"

int main(int argc, char** argv) {
  // A reader that stops early (`| head`) must not kill the program: the failed write says so instead.
  std::signal(SIGPIPE, SIG_IGN);
  try {
    HApplication application(std::cout, std::cerr, isatty(STDOUT_FILENO) == 1, isatty(STDERR_FILENO) == 1);
    return application.Run(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::exception& error) {
    std::cerr << "inline-patterns: " << error.what() << "\n";
    return HApplication::kError;
  }
}
