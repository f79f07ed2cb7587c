// The bytes a reader reads: a file, block by block, or a text in memory (a document an editor holds).
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>
#include <utility>

class HByteSource {
 public:
  // The file at path; throws HError "PATH: cannot open the file".
  explicit HByteSource(const std::string& path);
  // The bytes, borrowed for the source's life; name stands for them in messages.
  HByteSource(std::string name, std::string_view bytes) : m_name(std::move(name)), m_rest(bytes) {}
  ~HByteSource();
  HByteSource(const HByteSource&) = delete;
  HByteSource& operator=(const HByteSource&) = delete;

  const std::string& Name() const { return m_name; }
  // Up to size of the next bytes into buffer; 0 at the end. Throws HError when the file cannot be read.
  size_t Read(char* buffer, size_t size);

 private:
  std::string m_name;
  std::FILE* m_file = nullptr;
  std::string_view m_rest;
};
