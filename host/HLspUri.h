// file: URIs, as editors name documents, and the paths they stand for.
#pragma once

#include <string>

class HLspUri {
 public:
  // The path of a file: URI, percent escapes decoded; empty for another scheme.
  static std::string ToPath(const std::string& uri);
  // The file: URI of a path, a relative one taken from the current folder.
  static std::string FromPath(const std::string& path);
  // A path as a URI reference, every byte but the unreserved ones and '/' escaped: a relative path stays
  // relative (SARIF's locations against their base).
  static std::string Escaped(const std::string& path);
};
