// Reading a file or a text in memory through one interface, so that each reader has one code path.
#include "HByteSource.h"

#include <algorithm>
#include <cstring>

#include "HError.h"

HByteSource::HByteSource(const std::string& path) : m_name(path), m_file(std::fopen(path.c_str(), "rb")) {
  if (m_file == nullptr) throw HError(path + ": cannot open the file");
}

HByteSource::~HByteSource() {
  if (m_file != nullptr) std::fclose(m_file);
}

size_t HByteSource::Read(char* buffer, size_t size) {
  if (m_file == nullptr) {
    const size_t got = std::min(size, m_rest.size());
    if (got > 0) std::memcpy(buffer, m_rest.data(), got);
    m_rest.remove_prefix(got);
    return got;
  }
  const size_t got = std::fread(buffer, 1, size, m_file);
  if (got == 0 && std::ferror(m_file)) throw HError(m_name + ": cannot read the file");
  return got;
}
