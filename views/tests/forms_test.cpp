// The windows "アイソメ" and "視点" through their presenters and fake views.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "views/isome_form.h"
#include "render/projection.h"
#include "render/recording_canvas.h"
#include "render/tests/test_support.h"
#include "views/view_form.h"
#include "views/view_preview.h"

namespace tarvik::views {
namespace {

using Kind = RecordingCanvas::Kind;

// --- アイソメ -----------------------------------------------------------------

struct FakeIsomeView : IsomeView {
    int tau_position = -1, fai_position = -1, item = -1;
    std::string tau_value, fai_value;
    int left = -1, top = -1;
    bool closed = false;

    void set_tau_position(int p) override { tau_position = p; }
    void set_fai_position(int p) override { fai_position = p; }
    void set_tau_value(const std::string& t) override { tau_value = t; }
    void set_fai_value(const std::string& t) override { fai_value = t; }
    void select_item(int i) override { item = i; }
    void place(int l, int t) override {
        left = l;
        top = t;
    }
    void close_window() override { closed = true; }
};

struct IsomeOpen {
    float tau, fai;
    int item;
};

// The shared angles, and the window showing them on its bars (whole degrees)
// and in their labels.
void expect_angles(const ViewParams& p, const FakeIsomeView& v, float tau, float fai) {
    EXPECT_EQ(p.TAU, tau);
    EXPECT_EQ(p.FAI, fai);
    EXPECT_EQ(v.tau_position, static_cast<int>(tau));
    EXPECT_EQ(v.fai_position, static_cast<int>(fai));
    EXPECT_EQ(v.tau_value, std::to_string(static_cast<int>(tau)));
    EXPECT_EQ(v.fai_value, std::to_string(static_cast<int>(fai)));
}

// The window over fresh shared values.
class IsomeForm : public ::testing::Test {
  protected:
    ViewParams p;
    FakeIsomeView v;
    IsomePresenter f{p, v};
};

class IsomeCreate : public IsomeForm, public ::testing::WithParamInterface<IsomeOpen> {};

// The matching standard view is selected and the angles are left as they are.
TEST_P(IsomeCreate, SelectsTheMatchingViewWithoutChangingAngles) {
    p.TAU = GetParam().tau;
    p.FAI = GetParam().fai;
    f.FormCreate(1024);
    EXPECT_EQ(v.item, GetParam().item);
    expect_angles(p, v, GetParam().tau, GetParam().fai);
}

INSTANTIATE_TEST_SUITE_P(Angles, IsomeCreate,
                         ::testing::Values(IsomeOpen{30, 30, 0}, IsomeOpen{90, 0, 1},
                                           IsomeOpen{0, 0, 2}, IsomeOpen{0, 90, 3},
                                           IsomeOpen{45, 10, 0}, IsomeOpen{90, 90, 0},
                                           IsomeOpen{0, 89.5f, 0}));

TEST_F(IsomeForm, PlanViewGivesZeroAndNinety) {
    f.FormCreate(1024);
    f.SelRadioGroupClick(3);  // 平面図
    expect_angles(p, v, 0, 90);
}

TEST_F(IsomeForm, EveryPresetSetsBothAngles) {
    const float expected[4][2] = {{30, 30}, {90, 0}, {0, 0}, {0, 90}};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        f.SelRadioGroupClick(i);
        expect_angles(p, v, expected[i][0], expected[i][1]);
    }
    f.SelRadioGroupClick(7);  // not an item: nothing happens
    EXPECT_EQ(p.TAU, 0);
    EXPECT_EQ(p.FAI, 90);
}

TEST_F(IsomeForm, ScrollBarsSetTheSharedAnglesAtOnce) {
    f.TauScrollBarChange(45);
    f.FaiScrollBarChange(12);
    EXPECT_EQ(p.TAU, 45);
    EXPECT_EQ(p.FAI, 12);
    EXPECT_EQ(v.tau_value, "45");
    EXPECT_EQ(v.fai_value, "12");
    // A drawing window sees the change at its next tick.
    ViewWindow w;
    w.TAU = 30;
    w.FAI = 30;
    w.Rho = p.Rho;
    w.Theta = p.Theta;
    w.Phi = p.Phi;
    EXPECT_TRUE(check_view_change(w, p).angles);
}

TEST_F(IsomeForm, PlacementAndClose) {
    testing::TraceCapture trace;
    f.FormCreate(1024);
    EXPECT_EQ(v.top, 64);
    EXPECT_EQ(v.left, 1024 - kIsomeClientWidth - 64);
    f.FormCreate(100);  // a narrow screen keeps the window on it
    EXPECT_EQ(v.left, 0);
    EXPECT_NE(trace.text().find("xScreen  1024.0 Top    64 Left   700"), std::string::npos)
        << trace.text();
    f.Button2Click();
    EXPECT_TRUE(v.closed);
}

// --- 視点 --------------------------------------------------------------------

// Rho, Theta, Phi: of the bars, of the shared values or of the window's own.
template <class T>
using Bars = std::array<T, 3>;
Bars<double> eye_of(const ViewParams& p) {
    return {p.Rho, p.Theta, p.Phi};
}
Bars<double> eye_of(const ViewFormPresenter& f) {
    return {f.Rho(), f.Theta(), f.Phi()};
}

struct FakeViewForm : ViewFormView {
    int pos[3] = {-999, -999, -999};
    std::string label[3];
    int redraws = 0;
    int left = -1, top = -1;
    bool closed = false;

    Bars<int> positions() const { return {pos[0], pos[1], pos[2]}; }
    Bars<std::string> labels() const { return {label[0], label[1], label[2]}; }

    void set_position(EyeBar b, int p) override { pos[b] = p; }
    int position(EyeBar b) const override { return pos[b]; }
    void set_value_label(EyeBar b, const std::string& t) override { label[b] = t; }
    void redraw_preview() override { ++redraws; }
    void place(int l, int t) override {
        left = l;
        top = t;
    }
    void close_window() override { closed = true; }

    // The user moves a bar: the bar moves, then its scroll event.
    void scroll(ViewFormPresenter& f, EyeBar b, int p) {
        pos[b] = p;
        switch (b) {
            case kRhoBar:
                f.RhoScrollBarScroll(p);
                break;
            case kThetaBar:
                f.ThetaScrollBarScroll(p);
                break;
            case kPhiBar:
                f.PhiScrollBarScroll(p);
                break;
        }
    }
};

ViewParams eye(double rho, double theta, double phi) {
    ViewParams p;
    p.Rho = rho;
    p.Theta = theta;
    p.Phi = phi;
    p.box = {0, 400, 0, 300, 0, 250};
    return p;
}

// The window opened on a screen over shared values at the given eye.
class ViewForm : public ::testing::Test {
  protected:
    void open(double rho, double theta, double phi, int xScreen = 1024) {
        p = eye(rho, theta, phi);
        f.FormCreate(xScreen);
    }

    ViewParams p;
    FakeViewForm v;
    ViewFormPresenter f{p, v};
};

TEST_F(ViewForm, CreationShowsTheSharedValues) {
    testing::TraceCapture trace;
    open(5000.7, -30.2, 45, 1280);
    EXPECT_EQ(v.positions(), (Bars<int>{5000, -30, 45}));
    EXPECT_EQ(v.labels(), (Bars<std::string>{"5000", "-30", "45"}));
    EXPECT_EQ(f.Rho(), 5000.7);
    EXPECT_EQ(v.redraws, 1);
    EXPECT_EQ(v.top, 64);
    EXPECT_EQ(v.left, 1280 - 302 - 64);
    EXPECT_NE(trace.text().find("Top    64 Left   914"), std::string::npos) << trace.text();
    f.FormShow();
    EXPECT_EQ(v.redraws, 2);
    f.FormCreate(200);
    EXPECT_EQ(v.left, 0);
}

TEST_F(ViewForm, ScrollChangesOnlyTheWindowAndCancelKeepsTheSharedValues) {
    open(4000, 20, 70);
    v.scroll(f, kRhoBar, 12000);
    v.scroll(f, kThetaBar, -90);
    v.scroll(f, kPhiBar, 5);
    EXPECT_EQ(v.labels(), (Bars<std::string>{"12000", "-90", "5"}));
    EXPECT_EQ(eye_of(f), (Bars<double>{12000, -90, 5}));
    EXPECT_EQ(v.redraws, 4);
    f.CancelButtonClick();
    EXPECT_TRUE(v.closed);
    EXPECT_EQ(eye_of(p), (Bars<double>{4000, 20, 70}));
    EXPECT_EQ(p.PersRequest, 0);
}

TEST_F(ViewForm, OKTakesThePositionsAndStaysOpen) {
    open(4000.5, 20, 70);
    v.scroll(f, kPhiBar, 100);
    f.OKButtonClick();
    // Rho at the bar's whole position
    EXPECT_EQ(eye_of(p), (Bars<double>{4000, 20, 100}));
    EXPECT_EQ(v.label[kPhiBar], "100");
    EXPECT_EQ(f.Rho(), 4000);
    EXPECT_FALSE(v.closed);
    EXPECT_EQ(p.PersRequest, 0);
}

TEST_F(ViewForm, DefaultRestoresStartValuesWhateverWasSet) {
    open(15000, -170, 3);
    v.scroll(f, kRhoBar, 1000);
    const int before = v.redraws;
    f.DefautrButtonClick();
    EXPECT_EQ(eye_of(p), (Bars<double>{4000, 20, 70}));
    EXPECT_EQ(v.positions(), (Bars<int>{4000, 20, 70}));
    EXPECT_EQ(v.labels(), (Bars<std::string>{"4000", "20", "70"}));
    EXPECT_EQ(f.Rho(), 4000);
    EXPECT_EQ(v.redraws, before + 1);
    EXPECT_FALSE(v.closed);
}

TEST_F(ViewForm, PersTakesThePositionsRequestsTheImageAndCloses) {
    open(4000, 20, 70);
    v.scroll(f, kThetaBar, 135);
    f.PersButtonClick();
    EXPECT_EQ(p.Theta, 135);
    EXPECT_EQ(p.PersRequest, 1);
    EXPECT_TRUE(v.closed);
}

TEST_F(ViewForm, PreviewFollowsTheWindowsValues) {
    open(4000, 20, 70);
    v.scroll(f, kRhoBar, 1500);
    RecordingCanvas shown(kPreviewSize, kPreviewSize), expected(kPreviewSize, kPreviewSize);
    f.Image2Paint(shown);
    make_cuve(expected, p.box, 1500, 20, 70);
    ASSERT_EQ(shown.items().size(), expected.items().size());
    for (std::size_t i = 0; i < shown.items().size(); ++i) {
        EXPECT_EQ(shown.items()[i].x2, expected.items()[i].x2);
        EXPECT_EQ(shown.items()[i].y2, expected.items()[i].y2);
    }
    EXPECT_EQ(shown.of(Kind::Line).size(), 15u);
}

}  // namespace
}  // namespace tarvik::views
