// CStringFromToken: the texts of a host token, for the rule check of a check run.
#pragma once

#include "check/CStringGetter.h"

class IHostToken;

class CStringFromToken : public CStringGetter {
 public:
  explicit CStringFromToken(IHostToken* token) : token_(token) {}

 protected:
  std::u16string GetText(int32_t kind) override;

 private:
  IHostToken* token_;  // borrowed from the host for one token check
};
