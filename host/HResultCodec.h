// The bytes a worker process sends its parent for each file it checked: the whole result record, every
// field of it, so that the parent's report is the one a single process would write.
#pragma once

#include <string>
#include <string_view>

#include "HRunResult.h"

class HResultCodec {
 public:
  static void Encode(const HFileResult& file, std::string& out);
  static void Encode(const std::vector<HInputError>& errors, std::string& out);
  // Throws HError when the bytes are not one whole record.
  static HFileResult DecodeFile(std::string_view bytes);
  static std::vector<HInputError> DecodeErrors(std::string_view bytes);
};
