#include "generator/kihon_form.h"

#include "ui/fields.h"

namespace tarvik::generator {
namespace {

std::string format_int(int v) {
    return ui::cformat("%5d", v);
}

std::string format_real(const char* format, float v) {
    return ui::cformat(format, static_cast<double>(v));
}

constexpr const char* kWidthFormat = "%8.1f";
constexpr const char* kHeightFormat = "%9.1f";
constexpr const char* kShownFormat = " %8.1f";  // values the window computes or clears

struct RealField {
    KihonField field;
    float BasicData::*member;
    const char* format;
};

// The real fields read by the validation, in the window's order. The storey
// heights are read apart (they live in an array).
constexpr RealField kRealFields[] = {
    {KihonField::TukaHaba, &BasicData::tuka_haba, kWidthFormat},
    {KihonField::TukaTakasa, &BasicData::tuka_takasa, kWidthFormat},
    {KihonField::Hashira, &BasicData::hashira_haba, kWidthFormat},
    {KihonField::Waku, &BasicData::waku_haba, kWidthFormat},
    {KihonField::Gen, &BasicData::gen_haba, kWidthFormat},
    {KihonField::Sha, &BasicData::shazai_haba, kWidthFormat},
    {KihonField::Suji, &BasicData::sujikai_haba, kWidthFormat},
    {KihonField::Lowest, &BasicData::lowest_level, kHeightFormat},
};

constexpr KihonField kHeightFields[kMaxSou] = {
    KihonField::No1HashiraHeight, KihonField::No2HashiraHeight, KihonField::No3HashiraHeight};

}  // namespace

const char* field_caption(KihonField f) {
    switch (f) {
        case KihonField::Xtuka:
            return kCapXtuka;
        case KihonField::Ytuka:
            return kCapYtuka;
        case KihonField::TukaHaba:
            return kCapTukaHaba;
        case KihonField::TukaTakasa:
            return kCapTukaTakasa;
        case KihonField::Hashira:
            return kCapHashira;
        case KihonField::Waku:
            return kCapWaku;
        case KihonField::Gen:
            return kCapGen;
        case KihonField::Sha:
            return kCapSha;
        case KihonField::Suji:
            return kCapSuji;
        case KihonField::Lowest:
            return kCapLowest;
        case KihonField::No1HashiraHeight:
            return kCapHashiraHeight[0];
        case KihonField::No2HashiraHeight:
            return kCapHashiraHeight[1];
        case KihonField::No3HashiraHeight:
            return kCapHashiraHeight[2];
        case KihonField::YaneTakasa:
            return kCapYaneTakasa;
        case KihonField::YaneHashira:
            return kCapYaneHashira;
        case KihonField::Takasa:
            return kCapTakasa;
    }
    return "";
}

void KihonPresenter::show_real(KihonField f, const char* format, float v) {
    view_.set_field_text(f, format_real(format, v));
}

void KihonPresenter::enable_storey_fields() {
    // One storey (or none chosen yet): the first height only.
    view_.set_field_enabled(KihonField::No1HashiraHeight, true);
    view_.set_field_enabled(KihonField::No2HashiraHeight, d_.N_Sou >= 2);
    view_.set_field_enabled(KihonField::No3HashiraHeight, d_.N_Sou >= 3);
}

void KihonPresenter::FormShow() {
    d_.SouMode = 0;
    view_.set_field_text(KihonField::Xtuka, format_int(d_.nx));
    view_.set_field_text(KihonField::Ytuka, format_int(d_.ny));
    for (const RealField& r : kRealFields) show_real(r.field, r.format, d_.*r.member);
    for (int s = 0; s < kMaxSou; ++s)
        show_real(kHeightFields[s], kHeightFormat, d_.hashira_takasa[s]);
    show_real(KihonField::YaneTakasa, kHeightFormat, d_.yane_takasa);
    show_real(KihonField::YaneHashira, kHeightFormat, d_.yane_hashira);
    show_real(KihonField::Takasa, kHeightFormat, d_.Takasa);

    // The groups show the current choices; a storey count or top shape not
    // chosen yet shows no item.
    sumi_item_ = d_.SumiType >= 0 && d_.SumiType <= 2 ? d_.SumiType : 0;
    sou_item_ = d_.N_Sou >= 1 && d_.N_Sou <= kMaxSou ? d_.N_Sou - 1 : -1;
    yane_item_ = d_.YaneMode == kYaneNothing || d_.YaneMode == kYaneRoof ? d_.YaneMode : -1;
    view_.select_item(KihonGroup::Sumi, sumi_item_);
    view_.select_item(KihonGroup::Sou, sou_item_);
    view_.select_item(KihonGroup::Yane, yane_item_);

    view_.set_field_enabled(KihonField::YaneTakasa, false);
    view_.set_field_enabled(KihonField::YaneHashira, false);
    enable_storey_fields();

    saved_ = d_;
    saved_young_ = m_.mat[0].young;
    saved_mitudo_ = m_.mat[0].mitudo;
}

void KihonPresenter::SumiRadioGroupClick(int item) {
    sumi_item_ = item;
    d_.SumiType = item;
}

void KihonPresenter::SouRadioGroupClick(int item) {
    sou_item_ = item;
    d_.N_Sou = item + 1;
    enable_storey_fields();
}

void KihonPresenter::YaneRadioGroupClick(int item) {
    yane_item_ = item;
    if (item == kYaneItemNothing || item == kYaneItemEaves) {
        d_.YaneMode = item == kYaneItemNothing ? kYaneNothing : kYaneEaves;
        d_.yane_hashira = 0.0f;
        d_.yane_takasa = 0.0f;
        show_real(KihonField::YaneHashira, kShownFormat, d_.yane_hashira);
        show_real(KihonField::YaneTakasa, kShownFormat, d_.yane_takasa);
        view_.set_field_enabled(KihonField::YaneHashira, false);
        view_.set_field_enabled(KihonField::YaneTakasa, false);
        return;
    }
    if (item != kYaneItemRoof) return;
    if (view_.open_yane_form(d_) == 1) {
        d_.YaneMode = kYaneRoof;
        show_real(KihonField::YaneHashira, kShownFormat, d_.yane_hashira);
        show_real(KihonField::YaneTakasa, kShownFormat, d_.yane_takasa);
        // No storey stands above the roof.
        const int first_cleared = d_.N_Sou == 1 ? 1 : 2;
        for (int s = first_cleared; s < kMaxSou; ++s) {
            d_.hashira_takasa[s] = 0.0f;
            show_real(kHeightFields[s], kShownFormat, d_.hashira_takasa[s]);
        }
    } else {
        yane_item_ = kYaneItemNothing;
        view_.select_item(KihonGroup::Yane, kYaneItemNothing);
        d_.YaneMode = kYaneNothing;
        d_.yane_takasa = 0.0f;
        show_real(KihonField::YaneTakasa, kShownFormat, d_.yane_takasa);
    }
}

bool KihonPresenter::read_fields(BasicData& into) {
    const auto refuse = [this](KihonField f) {
        msg_.show_message(not_a_number_message(field_caption(f)));
        return false;
    };
    if (!parse_int_text(view_.field_text(KihonField::Xtuka), into.nx))
        return refuse(KihonField::Xtuka);
    if (!parse_int_text(view_.field_text(KihonField::Ytuka), into.ny))
        return refuse(KihonField::Ytuka);
    for (const RealField& r : kRealFields)
        if (!parse_real_text(view_.field_text(r.field), into.*r.member)) return refuse(r.field);
    for (int s = 0; s < kMaxSou; ++s)
        if (!parse_real_text(view_.field_text(kHeightFields[s]), into.hashira_takasa[s]))
            return refuse(kHeightFields[s]);
    return true;
}

int KihonPresenter::validate() {
    // Every field is read before anything is stored, so text that is not a
    // number or a size that is not positive leaves the data as it was.
    BasicData read = d_;
    if (!read_fields(read)) return 0;
    if (check_values(read, msg_) == 0) return 0;
    d_ = read;
    if (check_choices(d_, sumi_item_, sou_item_, yane_item_, msg_) == 0) return 0;
    if (sou_item_ != d_.N_Sou - 1) {
        sou_item_ = d_.N_Sou - 1;
        view_.select_item(KihonGroup::Sou, sou_item_);
        enable_storey_fields();
    }
    show_real(KihonField::Takasa, kShownFormat, d_.Takasa);
    return 1;
}

void KihonPresenter::OKButtonClick() {
    view_.set_busy(true);
    const int ok = validate();
    view_.set_busy(false);
    if (ok == 0) return;
    d_.N_Kihon = 1;
    view_.close_window(1);
}

void KihonPresenter::CheckButtonClick() {
    validate();
}

void KihonPresenter::CancelButtonClick() {
    d_.nx = saved_.nx;
    d_.ny = saved_.ny;
    d_.tuka_haba = saved_.tuka_haba;
    d_.tuka_takasa = saved_.tuka_takasa;
    d_.hashira_haba = saved_.hashira_haba;
    d_.waku_haba = saved_.waku_haba;
    d_.gen_haba = saved_.gen_haba;
    d_.shazai_haba = saved_.shazai_haba;
    d_.sujikai_haba = saved_.sujikai_haba;
    m_.mat[0].young = saved_young_;
    m_.mat[0].mitudo = saved_mitudo_;
    d_.N_Kihon = 0;
    view_.close_window(0);
}

}  // namespace tarvik::generator
