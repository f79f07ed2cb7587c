// KDXControlSet: making bindings from type words, transfers in both directions and validation.
#include "framework/KDXControlSet.h"

#include <memory>

#include "framework/KDXControlCheckBoxRadio.h"
#include "framework/KDXControlDateTimePick.h"
#include "framework/KDXControlEdit.h"
#include "framework/KDXControlListCombo.h"
#include "framework/KDXControlSlider.h"
#include "framework/KDXDataNumerical.h"
#include "framework/KDXDataString.h"
#include "platform/KPlatform.h"
#include "support/FormatInserts.h"
#include "support/KFormat.h"

namespace {

// The data half of a data kind, with the printf format the kind formats with; null for other kinds.
std::unique_ptr<KDXData> MakeData(uint32_t typeWord, void* variable, int32_t param) {
  const auto numeric = [&](const char16_t* format) -> std::unique_ptr<KDXData> {
    return std::make_unique<KDXDataNumerical>(typeWord, variable, param, format);
  };
  switch (typeWord & KDXDATA_MASK) {
    case KDXDATA_INT:
    case KDXDATA_BOOL:
    case KDXDATA_BYTEBOOL:
    case KDXDATA_BITS16:
    case KDXDATA_BITS32:
      return numeric(u"%d");
    case KDXDATA_SHORT:
      return numeric(u"%hd");
    case KDXDATA_USHORT:
      return numeric(u"%hu");
    case KDXDATA_LONG:
      return numeric(u"%ld");
    case KDXDATA_ULONG:
      return numeric(u"%lu");
    case KDXDATA_FLOAT:
    case KDXDATA_DOUBLE:
      return numeric(u"%.5g");
    case KDXDATA_INT64:
      return numeric(u"%I64d");
    case KDXDATA_UINT64:
    case KDXDATA_FILETIME:
      return numeric(u"%I64u");
    case KDXDATA_BUFFER:
    case KDXDATA_STRING:
    case KDXDATA_TEXTONLY:
      return std::make_unique<KDXDataString>(typeWord, variable, param, u"%s");
    default:
      return nullptr;
  }
}

// The control half of a control kind; null for kinds beyond the table.
std::unique_ptr<KDXControl> MakeControl(uint32_t typeWord, int32_t id) {
  switch (typeWord & KDXCTRL_MASK) {
    case KDXCTRL_EDIT:
      return std::make_unique<KDXControlEdit>(typeWord, id);
    case KDXCTRL_LISTINDEX:
    case KDXCTRL_LISTTEXT:
    case KDXCTRL_COMBOINDEX:
    case KDXCTRL_COMBOTEXT:
    case KDXCTRL_COMBODATA:
    case KDXCTRL_LISTDATA:
    case KDXCTRL_CUSTOMLIST:
    case KDXCTRL_CUSTOMLIST2:
      return std::make_unique<KDXControlListCombo>(typeWord, id);
    case KDXCTRL_CHECKBOX:
    case KDXCTRL_CHECKGROUP:
    case KDXCTRL_RADIOGROUP:
      return std::make_unique<KDXControlCheckBoxRadio>(typeWord, id);
    case KDXCTRL_DATETIME:
      return std::make_unique<KDXControlDateTimePick>(typeWord, id);
    case KDXCTRL_SLIDER:
      return std::make_unique<KDXControlSlider>(typeWord, id);
    default:
      return nullptr;
  }
}

}  // namespace

KDXControlSet::KDXControlSet() { bindings_.SetOwnsElements(true); }

void KDXControlSet::Attach(KWnd dialog) {
  dialog_ = dialog;
  for (int i = 0; i < bindings_.GetSize(); ++i) bindings_[i]->Attach(dialog);
}

int32_t KDXControlSet::Add(uint32_t typeWord, int32_t id, void* variable, int32_t param) {
  std::unique_ptr<KDXData> data = MakeData(typeWord, variable, param);
  std::unique_ptr<KDXControl> control = MakeControl(typeWord, id);
  if (!data || !control) return 0;
  control->Data = std::move(data);
  control->Attach(dialog_);
  bindings_.Add(control.release());
  return 1;
}

KDXControl* KDXControlSet::Find(int32_t id) const {
  for (int i = 0; i < bindings_.GetSize(); ++i) {
    if (bindings_[i]->GetID() == id) return bindings_[i];
  }
  return nullptr;
}

int32_t KDXControlSet::SetRange(int32_t id, int32_t minimum, int32_t maximum) {
  KDXControl* binding = Find(id);
  if (!binding) return 0;
  binding->Data->Minimum = KFormat(u"%d", minimum);
  binding->Data->Maximum = KFormat(u"%d", maximum);
  return binding->ApplyRange();
}

int32_t KDXControlSet::SetData(int32_t id, void* variable) {
  KDXControl* binding = Find(id);
  if (!binding) return 0;
  const KDXVariables variables{variable};
  KDXValue value;
  return binding->Data->Format(value, &variables) && binding->SetValue(value) ? 1 : 0;
}

int32_t KDXControlSet::GetData(int32_t id, void* variable) {
  KDXControl* binding = Find(id);
  if (!binding) return 0;
  const KDXVariables variables{variable};
  KDXValue value;
  if (!binding->GetValue(value) || !binding->Data->Parse(value, &variables)) return 0;
  return value.IsSet;
}

template <class Step>
int32_t KDXControlSet::ForBindings(int32_t id, Step step) {
  if (id != 0) {
    KDXControl* binding = Find(id);
    return binding ? step(*binding) : 0;
  }
  for (int i = 0; i < bindings_.GetSize(); ++i) {
    if (!step(*bindings_[i])) return 0;
  }
  return 1;
}

int32_t KDXControlSet::Validate(int32_t id) {
  return ForBindings(id, [this](KDXControl& binding) { return ValidateControl(binding); });
}

int32_t KDXControlSet::StoreBound(int32_t id) {
  return ForBindings(id, [](KDXControl& binding) {
    KDXValue value;
    return binding.GetValue(value) && binding.Data->Parse(value, nullptr) ? 1 : 0;
  });
}

int32_t KDXControlSet::ValidateControl(KDXControl& binding) {
  KDXValue value;
  if (!binding.GetValue(value)) return 0;
  std::u16string message;
  if (binding.Data->Validate(value, message)) return 1;
  std::u16string label;
  binding.GetLabel(label);
  std::u16string text;
  FormatInsertsString(text, message.c_str(), u"%s", label);
  KPlatform& platform = Platform();
  platform.ShowMessageBox(dialog_, text, u"", MB_OK);
  if (const KWnd control = platform.GetDlgItem(dialog_, binding.GetID())) platform.SetFocus(control);
  return 0;
}
