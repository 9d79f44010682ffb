// A message service for tests: records every message and answers the
// questions as the test prepared.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "model/message_service.h"

namespace tarvik::testing {

// Records every message and question; answers questions from a script.
class ScriptedMessages : public model::MessageService {
  public:
    std::vector<std::string> shown;
    std::vector<std::string> asked;
    std::deque<bool> answers;
    std::deque<ui::SaveAnswer> save_answers;  // for the save / discard / cancel questions

    void show_message(std::string_view text) override { shown.emplace_back(text); }

    // The last message shown, or "" when none was: a test that expected one
    // fails by its assertion instead of reading past the list.
    std::string last() const { return shown.empty() ? std::string() : shown.back(); }

    bool ask_yes_no(std::string_view question) override {
        asked.emplace_back(question);
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << question;
            return false;
        }
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }

    ui::SaveAnswer ask_save(std::string_view question) override {
        asked.emplace_back(question);
        if (save_answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << question;
            return ui::SaveAnswer::kCancel;
        }
        const ui::SaveAnswer a = save_answers.front();
        save_answers.pop_front();
        return a;
    }
};

}  // namespace tarvik::testing
