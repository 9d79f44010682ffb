// The message service: every message box and Yes/No question of a presenter
// goes through it, so tests can script the answers.
#pragma once

#include <string_view>

namespace tarvik::ui {

// The answer to a question about unsaved work.
enum class SaveAnswer { kSave, kDiscard, kCancel };

// Modal questions and messages. The Qt layer shows message boxes, tests use a
// scripted fake, the batch front end prints. Texts are UTF-8.
class MessageService {
  public:
    virtual ~MessageService() = default;

    // A message box with an OK button.
    virtual void show_message(std::string_view text) = 0;

    // A Yes/No confirmation; true means Yes.
    virtual bool ask_yes_no(std::string_view question) = 0;

    // A question with the three answers save, discard and cancel, asked
    // before work that was not saved would be lost. A service that cannot
    // offer a third answer asks Yes/No: Yes saves, No discards.
    virtual SaveAnswer ask_save(std::string_view question) {
        return ask_yes_no(question) ? SaveAnswer::kSave : SaveAnswer::kDiscard;
    }
};

// Shows nothing and gives one fixed answer: for runs nobody watches (fuzz
// targets, timings, tests that only need a service).
class SilentMessages : public MessageService {
  public:
    explicit SilentMessages(bool answer = false) : answer_(answer) {}
    void show_message(std::string_view) override {}
    bool ask_yes_no(std::string_view) override { return answer_; }

  private:
    bool answer_;
};

}  // namespace tarvik::ui
