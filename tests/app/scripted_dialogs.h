// A scripted DialogServices: records every call as a line of text and answers the
// pickers from queues (an empty queue answers "cancelled").
#pragma once

#include <cstdio>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "app/dialog_services.h"

namespace montrelle::testing {

class ScriptedDialogs : public DialogServices {
 public:
  std::vector<std::string> log;
  std::deque<std::optional<std::string>> folders, pictures, list_files;
  std::deque<std::optional<ColorValue>> colors;

  void ShowError(QWidget*, const std::string& text) override { log.push_back("error: " + text); }
  std::optional<std::string> ChooseFolder(QWidget*, const std::string& prompt) override {
    log.push_back("folder: " + prompt);
    return Next(folders);
  }
  std::optional<ColorValue> ChooseColor(QWidget*, ColorValue initial) override {
    char hex[16];
    std::snprintf(hex, sizeof hex, "%06X", initial);
    log.push_back(std::string("color: ") + hex);
    return Next(colors);
  }
  std::optional<std::string> ChoosePicture(QWidget*, const std::string& initial_file) override {
    log.push_back("picture: " + initial_file);
    return Next(pictures);
  }
  std::optional<std::string> ChooseListFileToSave(QWidget*, const std::string& file_name) override {
    log.push_back("save list: " + file_name);
    return Next(list_files);
  }
  std::optional<std::string> ChooseListFileToOpen(QWidget*) override {
    log.push_back("open list");
    return Next(list_files);
  }

 private:
  template <class T>
  static std::optional<T> Next(std::deque<std::optional<T>>& queue) {
    if (queue.empty()) return std::nullopt;
    auto answer = queue.front();
    queue.pop_front();
    return answer;
  }
};

}  // namespace montrelle::testing
