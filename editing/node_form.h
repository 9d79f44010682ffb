// The node data dialog TNodeForm "節点データ": the model coordinates of one
// node, opened by the hand-drawn editor. A coordinate not yet given (-1.0)
// starts from the one entered last, so a series of nodes is entered from the
// previous node's position.
#pragma once

#include "editing/field_dialog.h"
#include "editing/node_dialogs.h"
#include "model/model_store.h"

namespace tarvik::editing {

// Coordinate of a node drawn in the plan and not yet placed, cm.
inline constexpr float kUnplacedCoord = -1.0f;

// What the node data dialog shares with its caller; the caller keeps one for
// the run (the last entered coordinates start at 0, 0, 0).
struct NodeDataExchange {
    int SelectNode = 0;        // 0-based node index
    int result = kResultNone;  // 1 OK, 0 cancel
    float last_x = 0.0f, last_y = 0.0f, last_z = 0.0f;
};

// Cancel puts back the coordinates the node had at opening.
class NodeFormPresenter
    : public RecordEditDialog<NodeFormPresenter, NodeDataExchange, model::Node> {
  public:
    enum Field { kNo, kX, kY, kZ };
    static const DialogLayout& Layout();

    using RecordEditDialog::RecordEditDialog;

    // False (result 0, a message) when the node does not exist.
    bool FormCreate();
    void OKButtonClick();

  private:
    friend RecordEditDialog;
    void restore(const model::Node& kept);
};

}  // namespace tarvik::editing
