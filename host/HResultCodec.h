// The bytes a worker process sends its parent for each file it checked: the whole result record, every
// field of it, so that the parent's report is the one a single process would write.
#pragma once

#include <string>
#include <string_view>

#include "HRunResult.h"

class HResultCodec {
 public:
  static void Encode(const HFileResult& file, std::string& out);
  // What a run found outside its files: its errors, warnings and rule descriptions.
  static void EncodeRun(const HRunResult& run, std::string& out);
  // Throws HError when the bytes are not one whole record.
  static HFileResult DecodeFile(std::string_view bytes);
  static HRunResult DecodeRun(std::string_view bytes);
};
