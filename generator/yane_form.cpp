#include "generator/yane_form.h"

#include "ui/fields.h"

namespace tarvik::generator {
namespace {

struct RealField {
    YaneField field;
    float BasicData::*member;
    const char* format;
    const char* row;
    const char* column;
};

constexpr RealField kRealFields[] = {
    {YaneField::YaneTakasa, &BasicData::yane_takasa, " %8.1f", "屋根種類", "高さ"},
    {YaneField::YaneHashira, &BasicData::yane_hashira, "%10.1f", "屋根柱", "高さ"},
    {YaneField::Futosa, &BasicData::futosa, "%10.1f", "屋根柱", "太さ"},
    {YaneField::KetaHaba, &BasicData::keta_haba, "%10.1f", "屋根桁", "巾"},
    {YaneField::KetaAtumi, &BasicData::keta_atumi, "%10.1f", "屋根桁", "厚み"},
    {YaneField::SumiHaba, &BasicData::sumi_haba, "%10.1f", "隅合掌", "巾"},
    {YaneField::SumiAtumi, &BasicData::sumi_atumi, "%10.1f", "隅合掌", "厚み"},
    {YaneField::HiraHaba, &BasicData::hira_haba, "%10.1f", "平合掌", "巾"},
    {YaneField::HiraAtumi, &BasicData::hira_atumi, "%10.1f", "平合掌", "厚み"},
    {YaneField::HiuchiHaba, &BasicData::hiuchi_haba, "%10.1f", "火打合掌", "巾"},
    {YaneField::HiuchiAtumi, &BasicData::hiuchi_atumi, "%10.1f", "火打合掌", "厚み"},
    {YaneField::MoyaHaba, &BasicData::moya_haba, "%10.1f", "母屋", "巾"},
    {YaneField::MoyaAtumi, &BasicData::moya_atumi, "%10.1f", "母屋", "厚み"},
};

using ui::cformat;

std::string format_int(int v) {
    return cformat(" %5d", v);
}

}  // namespace

std::string yane_field_caption(YaneField f) {
    if (f == YaneField::YaneType) return "屋根種類 タイプ";
    if (f == YaneField::HashiraType) return "屋根柱 タイプ";
    for (const RealField& r : kRealFields)
        if (r.field == f) return std::string(r.row) + " " + r.column;
    return "";
}

void YanePresenter::FormShow() {
    result_ = -1;
    d_.yane_hashira_type = d_.SumiType;
    view_.set_field_text(YaneField::YaneType, format_int(d_.yane_type));
    view_.set_field_text(YaneField::HashiraType, format_int(d_.yane_hashira_type));
    for (const RealField& r : kRealFields)
        view_.set_field_text(r.field, cformat(r.format, d_.*r.member));
    saved_ = d_;
}

void YanePresenter::OKButtonClick() {
    BasicData read = d_;
    if (!parse_int_text(view_.field_text(YaneField::YaneType), read.yane_type)) {
        msg_.show_message(not_a_number_message(yane_field_caption(YaneField::YaneType)));
        return;
    }
    if (!parse_int_text(view_.field_text(YaneField::HashiraType), read.yane_hashira_type)) {
        msg_.show_message(not_a_number_message(yane_field_caption(YaneField::HashiraType)));
        return;
    }
    for (const RealField& r : kRealFields) {
        if (!parse_real_text(view_.field_text(r.field), read.*r.member)) {
            msg_.show_message(not_a_number_message(yane_field_caption(r.field)));
            return;
        }
    }
    // A roof of no height or a member of no section cannot be built or
    // analysed.
    for (const RealField& r : kRealFields) {
        if (!(read.*r.member > 0.0f)) {
            msg_.show_message(not_positive_message(yane_field_caption(r.field)));
            return;
        }
    }
    d_ = read;
    result_ = 1;
    view_.close_window(1);
}

void YanePresenter::CancelButtonClick() {
    d_.yane_takasa = saved_.yane_takasa;
    d_.yane_hashira = saved_.yane_hashira;
    for (const RealField& r : kRealFields) d_.*r.member = saved_.*r.member;
    result_ = 0;
    view_.close_window(0);
}

}  // namespace tarvik::generator
