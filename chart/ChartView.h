#pragma once
// The chart's view: which part of the Mercator world an image of W x H
// pixels shows (zoom and centre), the mapping of chart units to pixels and
// back, the rules that keep the view inside the world, the visible limits
// and the scale figures. A plain value: the window asks it, it never asks
// the window.

#include "brokenline/BrokenLine.h"
#include "chart/ChartProjection.h"

namespace velmar {

enum class PanDirection { kNorth, kSouth, kWest, kEast };
enum class StepSize { kCoarse, kFine };

/// Chart units to image pixels: one scale on both axes (isotropic), y up.
/// Pixel coordinates are doubles; pixel (0, 0) is the image's top-left
/// corner. Exact to floating-point rounding.
struct ChartMapping {
    double scale = 1;    ///< pixels per chart unit, > 0
    double originX = 0;  ///< pixel column of chart point (0, 0)
    double originY = 0;  ///< pixel row of chart point (0, 0)

    double PixelX(double x) const { return originX + x * scale; }
    double PixelY(double y) const { return originY - y * scale; }
    double ChartXAt(double pixelX) const { return (pixelX - originX) / scale; }
    double ChartYAt(double pixelY) const { return (originY - pixelY) / scale; }
};

/// Visible limits in degrees: latitudes in -90..90; west and east relative
/// to the central meridian, in -180..180 (TrueLongitude turns them into
/// true longitudes).
struct ChartLimits {
    double north = 0;
    double south = 0;
    double west = 0;
    double east = 0;
};

/// The scale panel's figures.
struct ScaleFigures {
    double widthMinutes = 0;             ///< minutes of longitude across the image
    double meanLatitude = 0;             ///< degrees, mid-way between north and south limits
    double equatorialDenominator = 0;    ///< 1:n on the screen at the equator
    double meanLatitudeDenominator = 0;  ///< 1:n at the mean latitude
};

/// Zoom bounds (percent).
inline constexpr int kMinZoom = 100;
inline constexpr int kMaxZoom = 3200;

class ChartView {
  public:
    /// An image of width x height pixels (each at least 1), at zoom 100,
    /// centred on chart point (0, 0), Greenwich-centred.
    ChartView(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    /// Ey: the image height in chart units at zoom 100, nearest(H / W x 21600).
    int ExtentY() const { return extentY_; }
    /// Percent, 100..3200; 100 shows all 360 degrees of longitude.
    int Zoom() const { return zoom_; }
    /// Pixel position of chart point (0, 0) as fractions of the width and of
    /// the height (from the top).
    double Fx() const { return fx_; }
    double Fy() const { return fy_; }
    /// One graticule step as a fraction of the image width (set by UpdatePanStep).
    double PanStep() const { return panStep_; }
    CentralMeridian Meridian() const { return meridian_; }
    void SetMeridian(CentralMeridian meridian) { meridian_ = meridian; }

    // View-changing operations. Each returns true when it changed the zoom
    // or the centre (the caller then redraws), false when it was refused or
    // changed nothing.

    /// Coarse: +100 when zoom <= 3100; fine: +10 when zoom <= 3190.
    bool ZoomIn(StepSize step);
    /// Coarse: -100 when zoom >= 200; fine: -10 when zoom >= 110; then ClampView.
    bool ZoomOut(StepSize step);
    /// Doubles the zoom when it is <= 1600, keeping the chart point under
    /// pixel (x, y) in place; then ClampView.
    bool ZoomInAt(double x, double y);
    /// Halves the zoom (remainder dropped) when it is >= 200, centre kept;
    /// then ClampView. From 210 this gives 105.
    bool ZoomOutAt();
    /// Moves the centre by the pan step (coarse) or a tenth of it (fine).
    /// A step that would cross the edge of the world is refused whole.
    bool Pan(PanDirection direction, StepSize step);
    /// Zoom 100, centre 0.5, 0.5 ("1:1"). The "1:1" command and showing the
    /// window redraw even when this returns false.
    bool Reset();
    /// Keeps the world covering the image: fx and fy are held in
    /// 1 - zoom/200 .. zoom/200 (so 0.5 at zoom 100).
    void ClampView();
    /// Sets zoom and centre as they are (for restoring a view); the zoom is
    /// held in 100..3200, then ClampView.
    void SetView(int zoom, double fx, double fy);

    /// The chart-unit-to-pixel mapping for the current view.
    ChartMapping Mapping() const;

    /// The position under image pixel (x, y): latitude in -90..90,
    /// longitude (true, by the central meridian) in -180..180.
    GeoPoint PixelToPosition(double x, double y) const;

    /// North, south, west and east limits of the image (west and east
    /// relative to the central meridian).
    ChartLimits VisibleLimits() const;

    /// The scale figures for a screen of `pixelsPerInch` (96 when it is not
    /// above 0).
    ScaleFigures Scale(double pixelsPerInch) const;

    /// Graticule step in degrees by zoom: 30 below 400, 15 below 800, 5
    /// below 1600, 1 from 1600.
    int GraticuleStep() const;

    /// Recomputes the pan step for the current zoom (every drawing calls
    /// it): step x 60 / nearest(21600 x 100 / zoom). Returns it.
    double UpdatePanStep();

  private:
    int width_;
    int height_;
    int extentY_;
    int zoom_ = kMinZoom;
    double fx_ = 0.5;
    double fy_ = 0.5;
    double panStep_ = 0;
    CentralMeridian meridian_ = CentralMeridian::kGreenwich;
};

/// A relative longitude (degrees from the central meridian) as a true
/// longitude: unchanged when Greenwich-centred; antimeridian-centred
/// -wrap(180 - relative), wrap bringing the value once into -180..180.
double TrueLongitude(double relative, CentralMeridian meridian);

}  // namespace velmar
