// KDialog: the base of the module's dialogs. It runs a dialog template modally and adds the placement
// store, optional size limits, help-button and F1 routing, tool-tip texts and grey read-only edits.
#pragma once

#include <cstdint>
#include <string>

#include "platform/KWindowSink.h"

// Flags bits.
enum : uint16_t {
  KDIALOG_NOPLACEMENT = 0x0001,  // neither restore nor save the placement
  KDIALOG_TOOLTIPS = 0x2000,     // supply tool-tip texts
};

// SizeLock bits: the limit becomes a fixed size.
enum : uint32_t {
  KDIALOG_LOCKHEIGHT = 0x1,
  KDIALOG_LOCKWIDTH = 0x2,
};

// HelpMode values: what the caption's help button does.
enum : int32_t {
  KDIALOG_HELP_CONTEXT = 0,  // the platform's context-help mode
  KDIALOG_HELP_COMMAND = 1,  // issues the Help command
  KDIALOG_HELP_NONE = 2,     // nothing
};

inline constexpr int32_t KDIALOG_ID_HELP = 9;  // the Help command

class KDialog : public KWindowSink {
 public:
  KDialog(uint32_t templateId, KWnd parent);
  KDialog(const KDialog&) = delete;
  KDialog& operator=(const KDialog&) = delete;

  // Creates the dialog from its template, runs it until EndDialog and returns that result (-1 when the
  // dialog cannot be created).
  intptr_t DoModal();
  void EndDialog(intptr_t result);
  KWnd GetHwnd() const { return hwnd_; }
  uint32_t GetTemplateId() const { return templateId_; }

  // A tip for a control (isCommand 0) or a command (1) into buffer; 1 with the buffer filled, 0 for none.
  virtual int32_t GetToolTipText(uint32_t id, int32_t isCommand, char16_t* buffer, int32_t capacity);
  // The OK and Cancel buttons end the dialog with IDOK and IDCANCEL.
  virtual void OnOK();
  virtual void OnCancel();

  bool OnInitDialog(KWnd self) override;
  bool OnCommand(int32_t id, uint32_t code, KWnd control) override;
  void OnDestroy() override;
  void OnEndSession(bool ending) override;
  bool OnNcLButtonDown(uint32_t hitTest, KPoint screenPoint) override;
  bool OnNcLButtonUp(uint32_t hitTest, KPoint screenPoint) override;
  bool OnCtlColor(KWnd control, uint32_t kind, KCtlColor& colors) override;
  bool OnHelp(const KHelpInfo& info) override;
  bool OnSizing(uint32_t edge, KRect& rect) override;
  bool OnToolTipText(uint32_t id, bool isCommand, KToolTip& tip) override;

  // The help mode new dialogs start with; nothing in the module changes it.
  static int32_t DefaultHelpMode;

  uint16_t Flags = 0;
  KWnd PlacementRef = nullptr;  // null: placements are relative to the owner
  int32_t StartDisabled = 0;
  int32_t MinWidth = 0;   // pixels of the whole window; 0 = none
  int32_t MinHeight = 0;
  uint32_t SizeLock = 0;
  int32_t HelpMode = DefaultHelpMode;
  int32_t HelpPressed = 0;
  uint32_t HelpId;  // the help topic of the dialog; its template number unless changed

 private:
  uint32_t templateId_;
  KWnd parent_;
  KWnd hwnd_ = nullptr;
};
