# Warning flags shared by every target of the project; IP_WERROR turns them into errors (CI does).
add_library(ip_warnings INTERFACE)
target_compile_options(ip_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wcast-align -Wunused -Woverloaded-virtual
  -Wnull-dereference -Wdouble-promotion -Wformat=2 -Wimplicit-fallthrough
  $<$<BOOL:${IP_WERROR}>:-Werror>)
# GCC 12 reports impossible overlaps inside std::string at -O3 (GCC bug 105651): not a fault of ours.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12)
  target_compile_options(ip_warnings INTERFACE -Wno-restrict)
endif()
