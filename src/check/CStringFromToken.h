// CStringFromToken: the texts of a host token, for the rule check of a check run.
#pragma once

#include "check/CStringGetter.h"

class IHostToken;

class CStringFromToken : public CStringGetter {
 public:
  explicit CStringFromToken(IHostToken* token) : token_(token) {}

  // The texts of another token from now on; those of the last one are forgotten.
  void SetToken(IHostToken* token) {
    token_ = token;
    Forget();
  }

 protected:
  std::u16string GetText(int32_t kind) override;
  void ReadText(int32_t kind, std::u16string& text) override;

 private:
  IHostToken* token_;  // borrowed from the host for one token check
};
