// What a rule's fields may hold: the limits and the flag chain that the rule editor enforces and that every
// other way of writing a rule file checks the same way.
#pragma once

#include <cstdint>

#include "rules/CRegExRule.h"

// Lengths in UTF-16 units, as the editor's boxes count them.
constexpr int32_t kRuleNameMaxLength = 80;
constexpr int32_t kRulePatternMaxLength = 2000;

// Each check flag counts only with the one before it: the text with the count, the order with the text.
struct KCheckFlagLink {
  int32_t before;
  int32_t after;
};
constexpr KCheckFlagLink kCheckFlagChain[] = {{CHECKFLAG_COUNT, CHECKFLAG_TEXT},
                                              {CHECKFLAG_TEXT, CHECKFLAG_ORDER}};

// The flags with every bit cleared whose predecessor in the chain is off, as the editor unchecks it.
constexpr int32_t ChainedCheckFlags(int32_t flags) {
  for (const KCheckFlagLink& link : kCheckFlagChain) {
    if ((flags & link.before) == 0) flags &= ~link.after;
  }
  return flags;
}
