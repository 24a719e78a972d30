#include "chart/ChartView.h"

#include <algorithm>
#include <cmath>

#include "core/Angles.h"

namespace velmar {

namespace {
constexpr double kWorldWidth = 21600.0;  // chart units across 360 degrees

double Limit(double v, double lo, double hi) {
    if (std::isnan(v)) return lo;
    return std::clamp(v, lo, hi);
}

// The edges of the world let a step land this far past them: repeated
// fractional steps must still reach the edge exactly, on every side.
constexpr double kPanTolerance = 0.001;
}  // namespace

ChartView::ChartView(int width, int height)
    : width_(std::max(1, width)),
      height_(std::max(1, height)),
      extentY_(std::max(1, Nearest(static_cast<double>(height_) / width_ * kWorldWidth))) {
    UpdatePanStep();
}

bool ChartView::ZoomIn(StepSize step) {
    const int by = step == StepSize::kCoarse ? 100 : 10;
    if (zoom_ > kMaxZoom - by) return false;
    zoom_ += by;
    return true;
}

bool ChartView::ZoomOut(StepSize step) {
    const int by = step == StepSize::kCoarse ? 100 : 10;
    if (zoom_ < kMinZoom + by) return false;
    zoom_ -= by;
    ClampView();
    return true;
}

bool ChartView::ZoomInAt(double x, double y) {
    if (zoom_ > kMaxZoom / 2) return false;
    zoom_ *= 2;
    fx_ = 2 * fx_ - x / width_;
    fy_ = 2 * fy_ - y / height_;
    ClampView();
    return true;
}

bool ChartView::ZoomOutAt() {
    if (zoom_ < 2 * kMinZoom) return false;
    zoom_ /= 2;
    ClampView();
    return true;
}

bool ChartView::Pan(PanDirection direction, StepSize step) {
    const double by = step == StepSize::kCoarse ? panStep_ : panStep_ / 10;
    const double high = zoom_ / 200.0 + kPanTolerance;
    const double low = 1 - zoom_ / 200.0 - kPanTolerance;
    double* f =
        direction == PanDirection::kNorth || direction == PanDirection::kSouth ? &fy_ : &fx_;
    const double moved =
        direction == PanDirection::kNorth || direction == PanDirection::kWest ? *f + by : *f - by;
    if (!(moved < high && moved > low)) return false;
    *f = moved;
    ClampView();  // a step landing inside the tolerance sits on the edge
    return true;
}

bool ChartView::Reset() {
    const bool changed = zoom_ != kMinZoom || fx_ != 0.5 || fy_ != 0.5;
    zoom_ = kMinZoom;
    fx_ = fy_ = 0.5;
    return changed;
}

void ChartView::ClampView() {
    const double high = zoom_ / 200.0;
    const double low = 1 - high;
    for (double* f : {&fx_, &fy_}) {
        if (std::isnan(*f)) *f = 0.5;
        if (*f > high) *f = high;
        if (*f < low) *f = low;
    }
}

void ChartView::SetView(int zoom, double fx, double fy) {
    zoom_ = std::clamp(zoom, kMinZoom, kMaxZoom);
    fx_ = fx;
    fy_ = fy;
    ClampView();
}

ChartMapping ChartView::Mapping() const {
    // One scale on both axes: the 21600 units of longitude across the width
    // at zoom 100. The height's own scale, H / Ey, differs from it only by
    // the rounding of Ey (a relative 0.5 / Ey, under a pixel anywhere on
    // the world). Whole-unit window extents would shift the picture by tens
    // of pixels at zoom 3200, so the origin and scale are kept exact, and
    // the pointer readout (PixelToPosition) agrees with what is drawn.
    ChartMapping m;
    m.scale = width_ * (zoom_ / 100.0) / kWorldWidth;
    m.originX = width_ * fx_;
    m.originY = height_ * fy_;
    return m;
}

GeoPoint ChartView::PixelToPosition(double x, double y) const {
    const double zf = 100.0 / zoom_;
    GeoPoint p;
    p.latitude = Limit(LatitudeFromParts(extentY_ * zf * (fy_ - y / height_)), -90, 90);
    const double d = 360.0 * zf * (x / width_ - fx_);
    double lon = d;
    if (meridian_ == CentralMeridian::kAntimeridian) lon = d >= 0 ? d - 180.0 : d + 180.0;
    p.longitude = Limit(lon, -180, 180);
    return p;
}

ChartLimits ChartView::VisibleLimits() const {
    const double zf = 100.0 / zoom_;
    ChartLimits l;
    l.north = Limit(LatitudeFromParts(extentY_ * fy_ * zf), -90, 90);
    l.south = Limit(LatitudeFromParts(-(1 - fy_) * extentY_ * zf), -90, 90);
    l.west = Limit(-360.0 * fx_ * zf, -180, 180);
    l.east = Limit((1 - fx_) * 360.0 * zf, -180, 180);
    return l;
}

ScaleFigures ChartView::Scale(double pixelsPerInch) const {
    const ChartLimits l = VisibleLimits();
    ScaleFigures s;
    s.widthMinutes = std::fabs(l.east - l.west) * 60.0;
    s.meanLatitude = (l.north + l.south) / 2;
    // A screen that reports no resolution is taken as the common 96 dpi.
    const double ppi = pixelsPerInch > 0 ? pixelsPerInch : 96.0;
    const double millimetresPerMinute = (width_ / s.widthMinutes) / ppi * 25.4;
    s.equatorialDenominator = 1852000.0 / millimetresPerMinute;
    s.meanLatitudeDenominator = std::cos(s.meanLatitude * kDegToRad) * s.equatorialDenominator;
    return s;
}

int ChartView::GraticuleStep() const {
    if (zoom_ < 400) return 30;
    if (zoom_ < 800) return 15;
    if (zoom_ < 1600) return 5;
    return 1;
}

double ChartView::UpdatePanStep() {
    panStep_ = GraticuleStep() * 60.0 / Nearest(kWorldWidth * 100.0 / zoom_);
    return panStep_;
}

double TrueLongitude(double relative, CentralMeridian meridian) {
    if (meridian == CentralMeridian::kGreenwich) return relative;
    double v = 180.0 - relative;
    if (v > 180.0)
        v -= 360.0;
    else if (v < -180.0)
        v += 360.0;
    return -v;
}

}  // namespace velmar
