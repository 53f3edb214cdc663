#pragma once
// Answers every modal question of the program from a script and records
// what was asked. A question nobody scripted fails the test and is
// answered with Cancel.

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/ModalAnswerer.h"

namespace korvalinx {

class ScriptedAnswerer : public ModalAnswerer {
 public:
  struct Message {
    std::string text;
    std::string caption;
    MessageButtons buttons;
  };

  ScriptedAnswerer() { SetModalAnswerer(this); }
  ~ScriptedAnswerer() override { SetModalAnswerer(nullptr); }

  std::deque<MessageResult> messageAnswers;
  std::deque<std::optional<std::string>> fileAnswers;
  std::deque<std::optional<uint32_t>> colourAnswers;
  bool editorOpens = true;  // false: the desktop has no program for text files

  std::vector<Message> messages;
  std::vector<FileDialogRequest> fileRequests;
  std::vector<uint32_t> colourRequests;
  std::vector<std::string> opened;

  MessageResult answerMessage(const std::string& text, const std::string& caption,
                              MessageButtons buttons) override {
    messages.push_back({text, caption, buttons});
    return Next(messageAnswers, MessageResult::Cancel, "message: " + caption + ": " + text);
  }
  std::optional<std::string> answerFileDialog(const FileDialogRequest& request) override {
    fileRequests.push_back(request);
    return Next(fileAnswers, std::optional<std::string>{}, "file dialog");
  }
  std::optional<uint32_t> answerColour(uint32_t initial) override {
    colourRequests.push_back(initial);
    return Next(colourAnswers, std::optional<uint32_t>{}, "colour dialog");
  }
  bool openInEditor(const std::string& path) override {
    opened.push_back(path);
    return editorOpens;
  }

 private:
  template <typename T>
  static T Next(std::deque<T>& answers, T cancel, const std::string& what) {
    if (answers.empty()) {
      ADD_FAILURE() << "unexpected " << what;
      return cancel;
    }
    T r = answers.front();
    answers.pop_front();
    return r;
  }
};

}  // namespace korvalinx
