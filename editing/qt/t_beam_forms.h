// The dialogs of the member data window and the member data dialog, on Qt.
#pragma once

#include "editing/beam_dialogs.h"
#include "editing/beam_form.h"
#include "editing/qt/t_record_form.h"

namespace tarvik::editing {

using THenSizeForm = TRecordForm<HenSizePresenter>;
using THenMatForm = TRecordForm<HenMatPresenter>;
// Read only: its one button, the close box and Escape close it.
using TShowBeamForm = TRecordForm<ShowBeamPresenter, &ShowBeamPresenter::CloseButtonClick,
                                  &ShowBeamPresenter::CloseButtonClick>;
using TBeamForm = TRecordForm<BeamFormPresenter, &BeamFormPresenter::OKButtonClick,
                              &BeamFormPresenter::CancelButtonClick,
                              &BeamFormPresenter::ZenDataButtonClick>;

}  // namespace tarvik::editing
