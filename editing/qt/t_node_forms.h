// The small dialogs of the node selection window and the node data dialog,
// on Qt.
#pragma once

#include "editing/node_dialogs.h"
#include "editing/node_form.h"
#include "editing/qt/t_record_form.h"

namespace tarvik::editing {

using TSelFixForm = TRecordForm<SelFixPresenter>;
using TSelLoadForm = TRecordForm<SelLoadPresenter>;
using TFixEditForm = TRecordForm<FixEditPresenter>;
using TLoadEditForm = TRecordForm<LoadEditPresenter, &LoadEditPresenter::OKButtonClick,
                                  &LoadEditPresenter::CancelButtonClick,
                                  &LoadEditPresenter::DouButtonClick>;
using TDelNodeForm = TRecordForm<DelNodePresenter>;
using TNodeForm = TRecordForm<NodeFormPresenter>;

}  // namespace tarvik::editing
