// Percent-encoding of file: URIs (RFC 3986); an authority other than empty or localhost is not a local file.
#include "HLspUri.h"

#include <cctype>
#include <cstdio>
#include <filesystem>

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string HLspUri::ToPath(const std::string& uri) {
  std::string rest;
  if (uri.starts_with("file:///"))
    rest = uri.substr(7);
  else if (uri.starts_with("file://localhost/"))
    rest = uri.substr(16);
  else
    return "";
  std::string path;
  for (size_t i = 0; i < rest.size(); ++i) {
    if (rest[i] == '?' || rest[i] == '#') break;
    const int high = rest[i] == '%' && i + 2 < rest.size() ? HexValue(rest[i + 1]) : -1;
    const int low = high >= 0 ? HexValue(rest[i + 2]) : -1;
    if (low < 0) {
      path += rest[i];
      continue;
    }
    path += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return path;
}

std::string HLspUri::FromPath(const std::string& path) {
  return "file://" + Escaped(std::filesystem::absolute(path).generic_string());
}

std::string HLspUri::Escaped(const std::string& path) {
  std::string uri;
  for (const char c : path) {
    const auto byte = static_cast<unsigned char>(c);
    if (std::isalnum(byte) || c == '/' || c == '-' || c == '.' || c == '_' || c == '~') {
      uri += c;
      continue;
    }
    char escape[4];
    std::snprintf(escape, sizeof escape, "%%%02X", byte);
    uri += escape;
  }
  return uri;
}
