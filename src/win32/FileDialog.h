#pragma once
// The system's file-open and file-save dialogs for level sets: the ".dag files" filter,
// for saving the default extension ".dag", the read-only box hidden, resizable, no entry
// in the system's list of recent files. Each remembers the name last confirmed in it.

#include <windows.h>

#include <optional>
#include <string>

class TFileDialog {
 public:
  enum class TKind { Open, Save };
  explicit TFileDialog(TKind kind) : kind_(kind) {}

  // Shows the dialog over `owner`; true when a name was confirmed (then FileName()).
  bool Execute(HWND owner);
  const std::wstring& FileName() const { return fileName_; }

 private:
  TKind kind_;
  std::wstring fileName_;
};
