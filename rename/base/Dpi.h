// The forms are designed at 106 pixels per inch; every design constant passes
// through Scale so that the window keeps its proportions on any screen.
#pragma once

namespace rn {

inline constexpr int kDesignDpi = 106;

struct Dpi {
  int screen = kDesignDpi;
  int Scale(int designPixels) const {
    // Round half away from zero, like MulDiv.
    long long v = static_cast<long long>(designPixels) * screen;
    return static_cast<int>(v >= 0 ? (v + kDesignDpi / 2) / kDesignDpi : (v - kDesignDpi / 2) / kDesignDpi);
  }
};

}  // namespace rn
