// The solid view of the results over the views' solid model: every member a
// bar whose cross-section is its share of the largest axial force, in the
// perspective wire image and the hidden-line image of the working folder.
#pragma once

#include <string>

#include "analysis/velto_form.h"
#include "render/solid.h"

namespace tarvik::analysis {

class ViewSolidResults : public SolidResults {
  public:
    ViewSolidResults(model::ModelStore& m, const std::string& cDirectory)
        : m_(m), solids_(cDirectory) {}

    bool build(const ResultTables& t, model::MessageService& msg) override;
    void paint(int mode, render::ViewWindow& w, render::Canvas& c, render::ViewParams& p,
               model::MessageService& msg) override;
    bool hidden_lines(render::ViewWindow& w, render::ViewParams& p, int W, int H,
                      model::MessageService& msg) override;

    const render::SolidModel& solids() const { return solids_; }

  private:
    model::ModelStore& m_;
    render::SolidModel solids_;
};

}  // namespace tarvik::analysis
