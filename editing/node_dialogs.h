// The five small dialogs of the node selection window: adding a support
// (固定節点選択) or a load (荷重節点データ) to the selected node, and
// removing or changing the selected support (固定節点編集) or load
// (荷重節点編集, 節点荷重中止). They talk with the window through
// NodeEditExchange; none of them changes a table count.
#pragma once

#include "editing/field_dialog.h"
#include "model/model_store.h"

namespace tarvik::editing {

// A support being added starts vertical-fixed, a load as a downward 1000 kgf.
struct PendingFix {
    int xfix = 0, yfix = 0, zfix = 1;
};
struct PendingLoad {
    float px = 0.0f, py = 0.0f, pz = -1000.0f;
};

// What the node selection window and its dialogs share. The owner keeps one
// for the whole run, so the selections persist between openings.
struct NodeEditExchange {
    int SelectNodeFix = 0;   // 0-based node row, the copy the support dialogs read
    int SelectNodeLoad = 0;  // the same row, the copy the load dialogs read
    int N_SelectFix = 0;     // 0-based support row
    int N_SelectLoad = 0;    // 0-based load row
    PendingFix pending_fix;
    PendingLoad pending_load;
    int add_result = kResultNone;   // TSelFixForm, TSelLoadForm
    int edit_result = kResultNone;  // TFixEditForm, TLoadEditForm, TDelNodeForm
};

// Why an add, change or remove cannot go ahead.
inline constexpr const char* kNoNodeRows = "節点がありません";
inline constexpr const char* kSelectNodeRow = "節点を選択してください";
inline constexpr const char* kNoFixRows = "固定節点がありません";
inline constexpr const char* kSelectFixRow = "固定節点を選択してください";
inline constexpr const char* kNoLoadRows = "荷重節点がありません";
inline constexpr const char* kSelectLoadRow = "荷重節点を選択してください";

// Any non-zero fixity entered means fixed.
inline int fixity(int v) {
    return v != 0 ? 1 : 0;
}

// TSelFixForm "固定節点選択": the fixities of a support to add to the selected
// node, into the pending support.
class SelFixPresenter : public FieldDialog {
  public:
    enum Field { kNodeNo, kCode, kXfix, kYfix, kZfix };
    static const DialogLayout& Layout();

    SelFixPresenter(model::ModelStore& m, NodeEditExchange& x, FieldDialogView& view,
                    model::MessageService& msg)
        : FieldDialog(Layout(), view, msg), m_(m), x_(x) {}

    // False (result 0, and a message) when the selected node does not exist;
    // the dialog is then not shown.
    bool FormCreate();
    void OKButtonClick();
    void CancelButtonClick();

  private:
    model::ModelStore& m_;
    NodeEditExchange& x_;
    PendingFix saved_;
};

// TSelLoadForm "荷重節点データ": the forces of a load to add, into the pending load.
class SelLoadPresenter : public FieldDialog {
  public:
    enum Field { kNodeNo, kCode, kPx, kPy, kPz };
    static const DialogLayout& Layout();

    SelLoadPresenter(model::ModelStore& m, NodeEditExchange& x, FieldDialogView& view,
                     model::MessageService& msg)
        : FieldDialog(Layout(), view, msg), m_(m), x_(x) {}

    bool FormCreate();
    void OKButtonClick();
    void CancelButtonClick();

  private:
    model::ModelStore& m_;
    NodeEditExchange& x_;
    PendingLoad saved_;
};

enum class FixEditUse { Delete, Change };

inline constexpr const char* kFixDeleteMessage = "この固定節点を削除します";
inline constexpr const char* kFixChangeMessage = "この固定節点を編集します";

// TFixEditForm "固定節点編集" for the selected support: in delete use it only
// confirms (result 1); in change use it stores the fixities (result 2).
class FixEditPresenter : public FieldDialog {
  public:
    enum Field { kRowNo, kCode, kNodeNo, kXfix, kYfix, kZfix };
    static const DialogLayout& Layout();

    FixEditPresenter(model::ModelStore& m, NodeEditExchange& x, FixEditUse use,
                     FieldDialogView& view, model::MessageService& msg)
        : FieldDialog(Layout(), view, msg), m_(m), x_(x), use_(use) {}

    bool FormCreate();
    void OKButtonClick();
    void CancelButtonClick();

  private:
    model::ModelStore& m_;
    NodeEditExchange& x_;
    FixEditUse use_;
};

inline constexpr const char* kDouCaption = "同";
inline constexpr const char* kDouLabel = "全ての荷重値をこの値に設定する";

// TLoadEditForm "荷重節点編集": the forces of the selected load, or with "同"
// of every load.
class LoadEditPresenter : public FieldDialog {
  public:
    enum Field { kRowNo, kCode, kNodeNo, kPx, kPy, kPz };
    static const DialogLayout& Layout();

    LoadEditPresenter(model::ModelStore& m, NodeEditExchange& x, FieldDialogView& view,
                      model::MessageService& msg)
        : FieldDialog(Layout(), view, msg), m_(m), x_(x) {}

    bool FormCreate();
    void OKButtonClick();
    void DouButtonClick();
    void CancelButtonClick();

  private:
    bool read_forces(float& px, float& py, float& pz);

    model::ModelStore& m_;
    NodeEditExchange& x_;
};

inline constexpr const char* kDelLoadMessage = "この節点の荷重を中止";

// TDelNodeForm "節点荷重中止": confirms the removal of the selected load.
class DelNodePresenter : public FieldDialog {
  public:
    enum Field { kRowNo, kCode, kNodeNo, kPx, kPy, kPz };
    static const DialogLayout& Layout();

    DelNodePresenter(model::ModelStore& m, NodeEditExchange& x, FieldDialogView& view,
                     model::MessageService& msg)
        : FieldDialog(Layout(), view, msg), m_(m), x_(x) {}

    bool FormCreate();
    void OKButtonClick();
    void CancelButtonClick();

  private:
    model::ModelStore& m_;
    NodeEditExchange& x_;
};

}  // namespace tarvik::editing
