// Message boxes and Yes/No questions on Qt, for any window's presenter, and
// the busy cursor.
#pragma once

#include <QWidget>

#include "ui/message_service.h"

namespace tarvik::ui {

// The hourglass over the whole program while a window computes (true), the
// arrow again afterwards (false); calls pair up.
void set_busy_cursor(bool busy);

class QtMessages : public MessageService {
public:
    explicit QtMessages(QWidget* parent) : parent_(parent) {}
    void show_message(std::string_view text) override;
    bool ask_yes_no(std::string_view question) override;
    // Buttons "保存", "破棄" and "キャンセル"; Escape or the close box cancels.
    SaveAnswer ask_save(std::string_view question) override;

protected:
    QWidget* parent_;
};

}  // namespace tarvik::ui
