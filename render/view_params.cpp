#include "render/view_params.h"

namespace tarvik::render {

void ModelBox::reset() {
    X_MIN = Y_MIN = Z_MIN = kBoundStart;
    X_MAX = Y_MAX = Z_MAX = -kBoundStart;
}

void ModelBox::widen(float x, float y, float z) {
    if (x < X_MIN) X_MIN = x;
    if (x > X_MAX) X_MAX = x;
    if (y < Y_MIN) Y_MIN = y;
    if (y > Y_MAX) Y_MAX = y;
    if (z < Z_MIN) Z_MIN = z;
    if (z > Z_MAX) Z_MAX = z;
}

}  // namespace tarvik::render
