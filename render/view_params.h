// The view parameters every drawing window of Tarvik shares: the two angles of
// the parallel projection, the eye of the perspective projection, the model box
// and the perspective coefficient set. The application owns one ViewParams for
// the run and hands it to each window by reference; the windows never talk to
// each other, they notice changes by comparing with their own copies.
#pragma once

#include <cstdint>

namespace tarvik::render {

// Start-up values.
inline constexpr float kStartTau = 30.0f;  // degrees
inline constexpr float kStartFai = 30.0f;
inline constexpr double kStartRho = 4000.0;  // cm
inline constexpr double kStartTheta = 20.0;  // degrees
inline constexpr double kStartPhi = 70.0;
inline constexpr double kStartViewPoint = 1000.0;  // cm, each of X0, Y0, Z0

// Running bounds start from these and are widened by every point.
inline constexpr float kBoundStart = 9999.9f;

// Tolerances of the hidden-line test.
inline constexpr double kEps = 1e-05;
inline constexpr double kEpsNeg = -1e-05;
inline constexpr double kParamLimit = 1.00001;

// Bounding box of the model in model coordinates (cm).
struct ModelBox {
    float X_MIN = 0.0f, X_MAX = 0.0f;
    float Y_MIN = 0.0f, Y_MAX = 0.0f;
    float Z_MIN = 0.0f, Z_MAX = 0.0f;

    // Empty box, ready to be widened.
    void reset();
    void widen(float x, float y, float z);
};

// Eye coordinates of a point relative to the viewed point:
//   xe = v11 dx + v21 dy
//   ye = v12 dx + v22 dy + v32 dz
//   ze = v13 dx + v23 dy + v33 dz + v43
struct PerspectiveCoeffs {
    double v11 = 0.0, v12 = 0.0, v13 = 0.0;
    double v21 = 0.0, v22 = 0.0, v23 = 0.0;
    double v32 = 0.0, v33 = 0.0, v43 = 0.0;
};

struct ViewParams {
    // Parallel projection: azimuth and elevation, degrees.
    float TAU = kStartTau;
    float FAI = kStartFai;
    // Perspective: distance from the viewed point to the eye (cm), the eye's
    // horizontal angle and its angle from the vertical (degrees).
    double Rho = kStartRho;
    double Theta = kStartTheta;
    double Phi = kStartPhi;
    // The viewed point (cm).
    double X0 = kStartViewPoint, Y0 = kStartViewPoint, Z0 = kStartViewPoint;
    // Set to 1 by "Pers"; the drawing windows poll it.
    int32_t PersRequest = 0;
    ModelBox box;
    // The set of the hidden-line image, filled by coeff().
    PerspectiveCoeffs coeffs;
    double EPS = kEps;
    double EPS_NEG = kEpsNeg;
    double PARAM_LIMIT = kParamLimit;
};

}  // namespace tarvik::render
