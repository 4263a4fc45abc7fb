// The pickers and the error box of the windows. The program uses the Qt dialogs;
// tests put a scripted fake in their place, so no modal dialog opens in a test.
#pragma once

#include <optional>
#include <string>

#include "settings/settings_record.h"

class QWidget;

namespace montrelle {

class DialogServices {
 public:
  virtual ~DialogServices() = default;

  // The application's error box: title "Montrelle", error icon, one OK button.
  // `text` is shown as it is (the caller has already made it ErrorBoxText).
  virtual void ShowError(QWidget* parent, const std::string& text) = 0;
  // The folder browser with this prompt, nothing preselected; nothing on cancel.
  virtual std::optional<std::string> ChooseFolder(QWidget* parent, const std::string& prompt) = 0;
  // The colour dialog starting at `initial`; nothing on cancel.
  virtual std::optional<ColorValue> ChooseColor(QWidget* parent, ColorValue initial) = 0;
  // A picture file to open, starting at `initial_file` when it is not empty.
  virtual std::optional<std::string> ChoosePicture(QWidget* parent,
                                                   const std::string& initial_file) = 0;
  // The list file dialogs, with the one filter "テキストファイル(*.txt)" (mask *.txt).
  // The save dialog starts at `file_name` and leaves the overwrite question to its
  // caller, who knows the name the file is written under.
  virtual std::optional<std::string> ChooseListFileToSave(QWidget* parent,
                                                          const std::string& file_name) = 0;
  virtual std::optional<std::string> ChooseListFileToOpen(QWidget* parent) = 0;
};

}  // namespace montrelle
