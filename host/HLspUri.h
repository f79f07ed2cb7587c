// file: URIs, as editors name documents, and the paths they stand for.
#pragma once

#include <string>

class HLspUri {
 public:
  // The path of a file: URI, percent escapes decoded; empty for another scheme.
  static std::string ToPath(const std::string& uri);
  // The file: URI of an absolute path, every byte but the unreserved ones and '/' escaped.
  static std::string FromPath(const std::string& path);
};
