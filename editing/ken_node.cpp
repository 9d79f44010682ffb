#include "editing/ken_node.h"

#include "model/maintenance.h"
#include "model/spy.h"

namespace tarvik::editing {

void KenNodeCore::reset_ranges() {
    XlevelMin = YlevelMin = ZlevelMin = 0;
    XlevelMax = m_.N_X - 1;
    YlevelMax = m_.N_Y - 1;
    ZlevelMax = m_.N_Z - 1;
}

int KenNodeCore::count_inside() const {
    return model::count_nodes_in_box(m_, XlevelMin, XlevelMax, YlevelMin, YlevelMax, ZlevelMin,
                                     ZlevelMax);
}

bool KenNodeCore::inside(const model::Node& n) const {
    const int ix = model::code_level(n.id, 0);
    const int iy = model::code_level(n.id, 1);
    const int iz = model::code_level(n.id, 2);
    return XlevelMin <= ix && ix <= XlevelMax && YlevelMin <= iy && iy <= YlevelMax &&
           ZlevelMin <= iz && iz <= ZlevelMax;
}

int KenNodeCore::KenSpeedButtonClick(const LevelTexts& t) {
    XlevelMin = model::parse_level_text(t[0], 0);
    XlevelMax = model::parse_level_text(t[1], m_.N_X - 1);
    YlevelMin = model::parse_level_text(t[2], 0);
    YlevelMax = model::parse_level_text(t[3], m_.N_Y - 1);
    ZlevelMin = model::parse_level_text(t[4], 0);
    ZlevelMax = model::parse_level_text(t[5], m_.N_Z - 1);
    model::spy(
        "XlevelMin %5d XlevelMax %5d YlevelMin %5d YlevelMax %5d ZlevelMin %5d ZlevelMax %5d",
        XlevelMin, XlevelMax, YlevelMin, YlevelMax, ZlevelMin, ZlevelMax);
    last_count_ = count_inside();
    return last_count_;
}

int KenNodeCore::mark_inside() {
    const int n_select = count_inside();
    model::spy("n_select %5d", n_select);
    for (int i = 0; i < m_.N_Node; ++i)
        if (inside(m_.node[i])) m_.node[i].flag = model::kSearchMark;
    return n_select;
}

void KenNodeCore::apply_answer(PickMode mode, bool yes) {
    if (mode != PickMode::kNone) {
        const int mark = !yes ? 0 : mode == PickMode::kKousoku ? model::kPickSupport : model::kPickLoad;
        for (int i = 0; i < m_.N_Node; ++i)
            if (m_.node[i].flag == model::kSearchMark) m_.node[i].flag = mark;
    }
    reset_ranges();
}

int KenNodeCore::ZenSentakuSpeedButtonClick(PickMode mode, model::MessageService& msg) {
    if (mode == PickMode::kNone) {
        const int n_select = count_inside();
        model::spy("n_select %5d", n_select);
        reset_ranges();
        return n_select;
    }
    const int n_select = mark_inside();
    const bool yes = msg.ask_yes_no(mode == PickMode::kKousoku ? kAskKousoku : kAskKajyu);
    apply_answer(mode, yes);
    return n_select;
}

}  // namespace tarvik::editing
