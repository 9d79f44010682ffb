// The dialogs of the member data window: a section entry's width, depth and
// angle (巾・厚み変更), a material entry (物性値変更), and one member shown
// (部材詳細). The member fields are shared with the member data dialog of
// beam_form.h.
#pragma once

#include "editing/field_dialog.h"
#include "editing/node_dialogs.h"
#include "model/model_store.h"
#include "ui/texts.h"

namespace tarvik::editing {

// What the member data window and its dialogs share; the owner keeps one for
// the run, so the selections persist between openings.
struct BeamEditExchange {
    int SelectBeam = 0;             // 0-based member row
    int SelectSize = 0;             // 0-based size row
    int SelectMat = 0;              // 0-based material row
    int size_result = kResultNone;  // 1 changed, 0 unchanged or cancelled
    int mat_result = kResultNone;   // 1 changed, 0 cancelled
};

// Area, moments of inertia and torsion constant of a b x d rectangle (cm),
// by the same rule as the size table is built from the members.
void set_section(model::SizeEntry& e, float b, float d);

// THenSizeForm "巾・厚み変更"; Cancel puts back the width, depth and angle.
class HenSizePresenter : public RecordEditDialog<HenSizePresenter, BeamEditExchange,
                                                 model::SizeEntry, &BeamEditExchange::size_result> {
  public:
    enum Field { kSizeNo, kHaba, kAtumi, kAngle };
    static const DialogLayout& Layout();

    using RecordEditDialog::RecordEditDialog;

    bool FormCreate();
    void OKButtonClick();

  private:
    friend RecordEditDialog;
    void restore(const model::SizeEntry& kept);
};

// THenMatForm "物性値変更"; Cancel puts back the whole entry.
class HenMatPresenter
    : public RecordEditDialog<HenMatPresenter, BeamEditExchange, model::MaterialEntry,
                              &BeamEditExchange::mat_result> {
  public:
    enum Field { kMatNo, kYoung, kPoisson, kMitudo };
    static const DialogLayout& Layout();

    using RecordEditDialog::RecordEditDialog;

    bool FormCreate();
    void OKButtonClick();

  private:
    friend RecordEditDialog;
    void restore(const model::MaterialEntry& kept) { m_.mat[x_.SelectMat] = kept; }
};

// The member fields of 部材詳細 and 軸データ, top to bottom.
enum BeamField { kBeamNo, kNoI, kIdI, kNoJ, kIdJ, kXs, kYs, kZs, kXl, kYl, kZl, kHaba, kAtumi };
std::vector<FieldLayout> beam_fields(bool section_editable);
// Fills the fields from the member number to the end coordinates.
void show_beam_ends(FieldDialogView& view, const model::Beam& b);

// TShowBeamForm "部材詳細": one member, read only.
class ShowBeamPresenter : public ModelFieldDialog<ShowBeamPresenter, BeamEditExchange> {
  public:
    static const DialogLayout& Layout();

    using ModelFieldDialog::ModelFieldDialog;

    bool FormCreate();
    void CloseButtonClick() { view_.close_window(); }
};

}  // namespace tarvik::editing
