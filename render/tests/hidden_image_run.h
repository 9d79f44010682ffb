// The hidden-line image of a model made the way the program makes it, in a
// scratch folder, for the tests that read its files back.
#pragma once

#include "model/tests/scripted_messages.h"
#include "render/hidden_image_job.h"
#include "render/tests/test_support.h"

namespace tarvik::testing {

// The eye rho cm from (x0, y0, z0), at theta / phi degrees.
inline render::ViewParams eye_at(double rho, double theta, double phi, double x0 = 0.0,
                                 double y0 = 0.0, double z0 = 0.0) {
    render::ViewParams p;
    p.Rho = rho;
    p.Theta = theta;
    p.Phi = phi;
    p.X0 = x0, p.Y0 = y0, p.Z0 = z0;
    return p;
}

// Builds the image of m seen by p in a 640 x 480 window; read(s, p) runs while
// the files are there, p as the build left it. No message may be shown.
template <class Read>
void with_hidden_image(const model::ModelStore& m, render::ViewParams p,
                       render::HiddenLineMethod method, Read read) {
    TempDir dir;
    ScriptedMessages msg;
    render::SolidModel s(dir.path());
    render::ViewWindow w;
    w.W = 640;
    w.H = 480;
    EXPECT_EQ(render::build_hidden_image(s, m, p, w, msg, method), 0);
    EXPECT_TRUE(msg.shown.empty());
    read(s, p);
}

}  // namespace tarvik::testing
