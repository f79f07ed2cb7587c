// KDXControlSet: a dialog's bindings between controls and variables. It owns the bindings, moves values
// both ways, and validates them with a message that names the control by its label.
#pragma once

#include <cstdint>

#include "framework/KDXControl.h"
#include "platform/KTypes.h"
#include "support/KObArray.h"

class KDXControlSet {
 public:
  KDXControlSet();
  KDXControlSet(const KDXControlSet&) = delete;
  KDXControlSet& operator=(const KDXControlSet&) = delete;

  // Stores the dialog (its window must exist) and attaches every binding to it.
  void Attach(KWnd dialog);
  // Binds control `id` by the type word (low byte control kind, second byte data kind) to `variable`
  // (or to none: variables then come with each transfer). 0 when a kind has no binding.
  int32_t Add(uint32_t typeWord, int32_t id, void* variable, int32_t param);
  KDXControl* Find(int32_t id) const;
  // Sets the minimum and maximum (values or lengths) of binding `id`.
  int32_t SetRange(int32_t id, int32_t minimum, int32_t maximum);
  // Variable to control; 1 when both steps succeed.
  int32_t SetData(int32_t id, void* variable);
  // Control to variable; 0 on failure, else whether the control had a value (nothing is written if not).
  int32_t GetData(int32_t id, void* variable);
  // Validates binding `id`, or every binding in order when 0, stopping at the first failure, which is
  // shown in a message box with the focus put on its control.
  int32_t Validate(int32_t id);
  // Control to the binding's own variables for binding `id`, or every binding when 0.
  int32_t StoreBound(int32_t id);

  KWnd Dialog() const { return dialog_; }
  const KTypedPtrArray<KDXControl>& Bindings() const { return bindings_; }

 private:
  int32_t ValidateControl(KDXControl& binding);
  // Runs `step` on binding `id`, or on every binding (stopping at the first 0) when id is 0.
  template <class Step>
  int32_t ForBindings(int32_t id, Step step);

  KWnd dialog_ = nullptr;
  KTypedPtrArray<KDXControl> bindings_;
};
