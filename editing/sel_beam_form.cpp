#include "editing/sel_beam_form.h"

#include "model/spy.h"

namespace tarvik::editing {

GridRows beam_rows(const model::ModelStore& m) {
    GridRows rows{{"No", "IDi", "IDj", "形状", "物性"}};
    for (int i = 0; i < m.N_Beam; ++i) {
        const model::Beam& b = m.beam[i];
        rows.push_back({cformat(kCellNo, i + 1), b.idi, b.idj, cformat(kCellNo, b.size),
                        cformat(kCellNo, b.mat)});
    }
    return rows;
}

GridRows size_rows(const model::ModelStore& m) {
    GridRows rows{{"No", "巾", "厚み", "断面積", "垂直2次", "水平2次", "ねじれ", "ColdAngle"}};
    for (int i = 0; i < m.N_Size; ++i) {
        const model::SizeEntry& e = m.size[i];
        rows.push_back({cformat(kCellNo, i + 1), cformat(kCellLen, e.haba),
                        cformat(kCellLen, e.atumi), cformat(kCellSci, e.A), cformat(kCellSci, e.Iy),
                        cformat(kCellSci, e.Iz), cformat(kCellSci, e.J),
                        cformat(kCellLen, e.angle)});
    }
    return rows;
}

GridRows mat_rows(const model::ModelStore& m) {
    GridRows rows{{"No", "ヤング率", "ポアソン比", "質量密度"}};
    for (int i = 0; i < m.N_Mat; ++i) {
        const model::MaterialEntry& e = m.mat[i];
        rows.push_back({cformat(kCellNo, i + 1), cformat(kCellSci, e.young),
                        cformat(kCellRatio, e.poisson), cformat(kCellSci, e.mitudo)});
    }
    return rows;
}

void SelBeamPresenter::refresh(BeamGrid grid) {
    int* row = nullptr;
    int count = 0;
    switch (grid) {
        case BeamGrid::Zen:
            row = &x_.SelectBeam;
            count = m_.N_Beam;
            view_.set_grid(grid, beam_rows(m_));
            break;
        case BeamGrid::Size:
            row = &x_.SelectSize;
            count = m_.N_Size;
            view_.set_grid(grid, size_rows(m_));
            break;
        case BeamGrid::Mat:
            row = &x_.SelectMat;
            count = m_.N_Mat;
            view_.set_grid(grid, mat_rows(m_));
            break;
    }
    *row = clamp_row(*row, count);
    view_.set_count(grid, cformat(kCellCount, count));
    if (count > 0) view_.select_row(grid, *row);
}

void SelBeamPresenter::FormCreate() {
    model::spy("Enter TSelBeamForm N_Beam %d N_Size %d N_Mat %d", m_.N_Beam, m_.N_Size, m_.N_Mat);
    refresh(BeamGrid::Zen);
    refresh(BeamGrid::Size);
    refresh(BeamGrid::Mat);
}

void SelBeamPresenter::ZenStringGridSelectCell(int record) {
    if (record >= 0 && record < m_.N_Beam) x_.SelectBeam = record;
}

void SelBeamPresenter::SizeStringGridSelectCell(int record) {
    if (record >= 0 && record < m_.N_Size) x_.SelectSize = record;
}

void SelBeamPresenter::MatStringGridSelectCell(int record) {
    if (record >= 0 && record < m_.N_Mat) x_.SelectMat = record;
}

void SelBeamPresenter::HabahenSpeedButtonClick() {
    if (m_.N_Size <= 0) {
        msg_.show_message(kNoSizeRows);
        return;
    }
    x_.size_result = kResultNone;
    dialogs_.open_hen_size();
    if (x_.size_result == kResultOK) refresh(BeamGrid::Size);
}

void SelBeamPresenter::MathenSpeedButtonClick() {
    if (m_.N_Mat <= 0) {
        msg_.show_message(kNoMatRows);
        return;
    }
    x_.mat_result = kResultNone;
    dialogs_.open_hen_mat();
    if (x_.mat_result == kResultOK) refresh(BeamGrid::Mat);
}

void SelBeamPresenter::ShousaiSpeedButtonClick() {
    if (m_.N_Beam <= 0) {
        msg_.show_message(kNoBeamRows);
        return;
    }
    dialogs_.open_show_beam();
}

void SelBeamPresenter::OKButtonClick() {
    view_.close_window();
}

}  // namespace tarvik::editing
