// The editing windows as the main window and the hand-drawn editor open them:
// each runs modally and returns when the user has closed it. The exchange
// structures are the caller's, kept for the whole run.
#pragma once

#include <QWidget>
#include <string>

#include "editing/beam_dialogs.h"
#include "editing/beam_form.h"
#include "editing/node_dialogs.h"
#include "editing/node_form.h"
#include "model/model_store.h"
#include "render/view_params.h"

namespace tarvik::editing {

// "節点選択": nodes, supports and loads.
void run_sel_node_form(QWidget* parent, model::ModelStore& m, NodeEditExchange& x);

// "部材データ": members, sections and materials.
void run_sel_beam_form(QWidget* parent, model::ModelStore& m, BeamEditExchange& x);

// "節点データ" for node x.SelectNode; returns x.result (1 OK, 0 cancel).
int run_node_form(QWidget* parent, model::ModelStore& m, NodeDataExchange& x);

// "軸データ" for member x.SelectBeam; returns x.result (1 OK, 2 all members, 0 cancel).
int run_beam_form(QWidget* parent, model::ModelStore& m, BeamDataExchange& x);

// "軸データ入力", maximised, on a model just read from an axis data file;
// directory is the working folder of the view files.
void run_jiku_form(QWidget* parent, model::ModelStore& m, render::ViewParams& params,
                   const std::string& directory);

}  // namespace tarvik::editing
