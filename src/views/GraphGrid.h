#pragma once
// The arithmetic of the graph widget: a scaled background grid with tick marks and numeric
// labels, and the mapping of values to pixels. The widget (ui/PaintBoxGrid) paints what
// DrawGrid returns; everything that decides where a line or a label goes lives here, so it
// can be checked without a window.
#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

enum class TGridMode { mNone, mVer, mHor, mBoth };

struct TRgb {
    uint8_t R = 0, G = 0, B = 0;
    bool operator==(const TRgb&) const = default;
};

// An integer property that never goes below its floor: setting a smaller value stores the floor.
template <int Floor>
class TAtLeast {
public:
    constexpr TAtLeast(int value) : Value(std::max(value, Floor)) {}
    constexpr TAtLeast& operator=(int value) {
        Value = std::max(value, Floor);
        return *this;
    }
    constexpr operator int() const { return Value; }

private:
    int Value;
};

// The widget's properties, with the defaults it has when made in code.
struct TGridProperties {
    TAtLeast<0> MarginTop = 10;
    TAtLeast<0> MarginBottom = 30;
    TAtLeast<0> MarginLeft = 50;
    TAtLeast<0> MarginRight = 20;
    double XMin = -30, XMax = 30;
    double YMin = 0, YMax = 100;
    // Smallest spacing in pixels of grid lines between labels, and of labelled positions.
    TAtLeast<1> XGridRange = 7;
    TAtLeast<1> YGridRange = 7;
    TAtLeast<10> XLabelRange = 20;
    TAtLeast<10> YLabelRange = 11;
    TGridMode GridMode = TGridMode::mBoth;
    TRgb GridColor{128, 128, 128};
    bool XInterlabelGrid = true, YInterlabelGrid = true;
    // The label step is at least 1.
    bool XInteger = false, YInteger = false;
};

// A label about to be drawn: its owner may rewrite the text. Count is the label's number on
// its axis (from 1), position its pixel along the axis.
using TAGLabelEvent = std::function<void(std::string& text, int count, int position, double value)>;

struct TGridLabelEvents {
    TAGLabelEvent OnXLabel;
    TAGLabelEvent OnYLabel;
};

// Where values land, as the last drawing of the grid left it. Both scales (pixels per unit)
// are 0 until an axis has been drawn with a non-empty range.
struct TGridMapping {
    int MarginLeft = 0;
    int MarginBottom = 0;
    int Height = 0;
    double XMin = 0, YMin = 0;
    double XScale = 0, YScale = 0;

    int XToPixel(double x) const;
    // Larger values lie higher.
    int YToPixel(double y) const;
    // The value at a pixel, for the pointer; the axis must have been drawn.
    double XValue(int pixel) const;
    double YValue(int pixel) const;
};

struct TGridLine {
    int X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
    bool operator==(const TGridLine&) const = default;
};

struct TGridLabel {
    std::string Text;
    int Left = 0, Top = 0;
    int Width = 0; // estimated from the font size, as the positions are
    int Position = 0;
    double Value = 0;
};

// What one drawing of the grid consists of, in the order it is drawn.
struct TGridPicture {
    TGridMapping Mapping;
    bool XAxis = false, YAxis = false;
    double XLabelStep = 0, YLabelStep = 0;
    int XSubdivision = 0, YSubdivision = 0;
    std::vector<TGridLine> GridLines;
    std::vector<TGridLine> Ticks; // 2 pixels between labels and at labels, 5 at labels
    std::vector<TGridLabel> XLabels, YLabels;
};

// Draws the grid of a control width x height whose font has the given size in points.
TGridPicture DrawGrid(const TGridProperties& properties, int width, int height, int fontSize,
                      const TGridLabelEvents& events = {});

// The label step for a range of values over a span of pixels: the smallest 1, 2 or 5 times a
// power of ten giving labels at least labelRange pixels apart. Form is 1, 2 or 5.
double GridLabelStep(double labelRange, double range, double span, bool integer, int& form);
// A grid value as its label reads: rounded to 14 decimal places, in the shortest form.
std::string GridLabelText(double value);
// The width the grid assumes a label has (it does not measure the text).
int GridLabelWidth(const std::string& text, int fontSize);

// A line of a data series in values, with a square marker at its first point.
struct TSeriesSegment {
    double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
    bool operator==(const TSeriesSegment&) const = default;
};
