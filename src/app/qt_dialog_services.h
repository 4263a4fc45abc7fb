// DialogServices with the Qt dialogs (Japanese through Qt's own translation).
#pragma once

#include "app/dialog_services.h"

namespace montrelle {

class QtDialogServices : public DialogServices {
 public:
  void ShowError(QWidget* parent, const std::string& text) override;
  std::optional<std::string> ChooseFolder(QWidget* parent, const std::string& prompt) override;
  std::optional<ColorValue> ChooseColor(QWidget* parent, ColorValue initial) override;
  std::optional<std::string> ChoosePicture(QWidget* parent,
                                           const std::string& initial_file) override;
  std::optional<std::string> ChooseListFileToSave(QWidget* parent,
                                                  const std::string& file_name) override;
  std::optional<std::string> ChooseListFileToOpen(QWidget* parent) override;
};

}  // namespace montrelle
