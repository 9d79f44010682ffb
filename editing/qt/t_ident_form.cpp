#include "editing/qt/t_ident_form.h"

#include <QLabel>
#include <QPushButton>

#include "ui/qt/qt_text.h"

namespace tarvik::editing {

using ui::qs;

namespace {

constexpr int kImageSize = 280;  // Image1, pixels square

}  // namespace

TIdentForm::TIdentForm(model::ModelStore& m, render::ViewParams& params, const std::string& folder,
                       QWidget* parent)
    : QDialog(parent),
      QtLevelRange(this, "データ総数", "検索データ数"),
      EditSouNum(total),
      EditKensakuNum(count),
      msg_(this),
      dialogs_(this, folder),
      presenter_(m, params, *this, msg_) {
    setWindowTitle(qs(kIdentCaption));
    setModal(true);
    int y = QtLevelRange::kHeight;
    for (int i = 0; i < 3; ++i) {
        (new QLabel(qs(kShiftCaptions[i]), this))->setGeometry(8 + i * 96, y, 90, 18);
        IdouEdits[i] = new QLineEdit(this);
        IdouEdits[i]->setGeometry(8 + i * 96, y + 18, 80, 22);
    }
    y += 48;
    LevelSpeedButton = new QPushButton(qs(kLevelButtonCaption), this);
    LevelSpeedButton->setGeometry(8, y, 40, 28);
    OkButton = new QPushButton(qs(kIdentSaveCaption), this);
    OkButton->setGeometry(128, y, 76, 28);
    Button1 = new QPushButton(qs(kIdentCloseCaption), this);
    Button1->setGeometry(212, y, 76, 28);
    y += 36;
    Image1 = new views::CanvasWidget(kImageSize, kImageSize,
                                     [this](render::Canvas& c) { presenter_.Image1Paint(c); }, this);
    Image1->move(8, y);
    setFixedSize(kImageSize + 16, y + kImageSize + 8);

    connect(LevelSpeedButton, &QPushButton::clicked, this,
            [this] { presenter_.LevelSpeedButtonClick(); });
    connect(OkButton, &QPushButton::clicked, this, [this] { presenter_.OkButtonClick(); });
    connect(Button1, &QPushButton::clicked, this, [this] { presenter_.Button1Click(); });
}

void TIdentForm::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    presenter_.FormShow();
}

std::array<std::string, 3> TIdentForm::shift_texts() const {
    std::array<std::string, 3> t;
    for (int i = 0; i < 3; ++i) t[i] = IdouEdits[i]->text().toStdString();
    return t;
}

void TIdentForm::set_shift_texts(const std::array<std::string, 3>& texts) {
    for (int i = 0; i < 3; ++i) IdouEdits[i]->setText(qs(texts[i]));
}

void TIdentForm::repaint_preview() { Image1->update(); }

std::string TIdentForm::save_file_name(std::string_view filter, std::string_view default_ext) {
    return dialogs_.save_file_name(filter, default_ext);
}

void TIdentForm::close_window() { accept(); }

}  // namespace tarvik::editing
