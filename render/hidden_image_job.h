// The hidden-line image as a job without a window: the batch front end's
// "--hidden RHO,THETA,PHI" option, for timing and for comparing the fast and
// the plain routine from outside.
#pragma once

#include <iosfwd>
#include <string>

#include "model/message_service.h"
#include "model/model_store.h"
#include "render/hidden_line.h"
#include "render/solid.h"
#include "render/view_params.h"
#include "render/view_window.h"

namespace tarvik::render {

// Size of the window the job pretends to draw in: it fixes the World and Crt
// written into the header of "TEMP.DAT".
inline constexpr int kJobWindowW = 640;
inline constexpr int kJobWindowH = 480;

// "RHO,THETA,PHI": three numbers, the distance (cm, above 0) and the two
// angles (degrees). False when the text is anything else.
bool parse_eye(const std::string& text, double& rho, double& theta, double& phi);

// Writes "TRIO.DAT", "VIEW.DAT", "VECT.DAT" and "TEMP.DAT" in directory for
// the model seen from eye (text as parse_eye takes it) toward the start-up
// viewed point, with the plain routine when plain; prints the number of lines
// and the time of the hidden-line step to out. 0, or -1 (message shown).
int hidden_image_job(const model::ModelStore& m, const std::string& directory,
                     const std::string& eye, bool plain, model::MessageService& msg,
                     std::ostream& out);

// The hidden-line image of the current model in one call, as the batch front
// end and the timing need it: "TRIO.DAT", the view files and "TEMP.DAT" for
// the eye at (Rho, Theta, Phi) in a window of W x H pixels. 0 or -1.
int build_hidden_image(SolidModel& s, const model::ModelStore& m, ViewParams& p, ViewWindow& w,
                       model::MessageService& msg, HiddenLineMethod method,
                       ImageBounds* bounds = nullptr);

}  // namespace tarvik::render
