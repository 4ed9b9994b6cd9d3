#include "views/GraphGrid.h"

#include <cmath>
#include <cstdio>

#include "state/Numbers.h"

namespace {
// Pixels far outside any control still fit an int and a painter's coordinates.
constexpr double PixelLimit = 1e6;

int ToPixel(double value) {
    return static_cast<int>(std::clamp(RoundHalfEven(value), -PixelLimit, PixelLimit));
}

struct TAxis {
    bool IsX = true;
    double Min = 0, Max = 0;
    int Span = 0;
    int LabelRange = 20, GridRange = 7;
    bool Integer = false, Interlabel = true, Lines = true;
    const TAGLabelEvent* Event = nullptr;
};

// One axis: its grid lines, ticks and labels, at the positions the mapping gives.
void DrawAxis(const TAxis& axis, const TGridProperties& p, int width, int height, int fontSize,
              TGridPicture& picture) {
    const double range = axis.Max - axis.Min;
    const double scale = axis.Span / range;
    (axis.IsX ? picture.Mapping.XScale : picture.Mapping.YScale) = scale;
    int form = 1;
    const double step = GridLabelStep(axis.LabelRange, range, axis.Span, axis.Integer, form);
    if (!(step > 0) || !std::isfinite(step)) return;

    // Grid lines per label step: as many as keep them the grid range apart. The tolerance is a
    // ten-thousandth of the label spacing, in pixels like the spacing it is added to; taken in
    // values it would swamp the comparison on an axis of millions and pack the lines together.
    const double pixels = step * scale;
    const double t = pixels / 10000;
    const double g = axis.GridRange;
    int h = 1;
    if (form == 1) {
        h = g <= pixels / 10 + t ? 10 : g <= pixels / 5 + t ? 5 : g <= pixels / 2 + t ? 2 : 1;
    } else if (form == 5) {
        h = g <= pixels / 5 + t ? 5 : 1;
    } else {
        h = g <= pixels / 2 + t ? 2 : 1;
    }
    const double gridStep = step / h;

    const double firstLabel = std::ceil(axis.Min / step - 1e-4) * step;
    const double firstGrid = std::ceil(axis.Min / gridStep - 1e-4) * gridStep;
    long m = h - static_cast<long>(RoundHalfEven((firstLabel - firstGrid) / gridStep));
    int labels = 0;

    const int bottom = height - p.MarginBottom;
    const int left = p.MarginLeft;
    const int yTextRise = static_cast<int>(RoundHalfEven(fontSize * 3.0 / 4.0));
    (axis.IsX ? picture.XLabelStep : picture.YLabelStep) = step;
    (axis.IsX ? picture.XSubdivision : picture.YSubdivision) = h;
    (axis.IsX ? picture.XAxis : picture.YAxis) = true;

    const double last = axis.Max + gridStep / 10000;
    // A range far wider than its pixels would need more lines than pixels; there are never more.
    const long limit = 4L * (axis.Span + 2) + 8;
    for (long i = 0; i <= limit; ++i, ++m) {
        const double v = firstGrid + static_cast<double>(i) * gridStep;
        if (v > last) break;
        const int pos = axis.IsX ? picture.Mapping.XToPixel(v) : picture.Mapping.YToPixel(v);
        const bool atLabel = m % h == 0;
        if (atLabel || axis.Interlabel) {
            if (axis.Lines) {
                picture.GridLines.push_back(axis.IsX ? TGridLine{pos, bottom, pos, p.MarginTop}
                                                     : TGridLine{left, pos, width - p.MarginRight, pos});
            }
            picture.Ticks.push_back(axis.IsX ? TGridLine{pos, bottom, pos, bottom + 2}
                                             : TGridLine{left - 2, pos, left, pos});
        }
        if (!atLabel) continue;
        ++labels;
        picture.Ticks.push_back(axis.IsX ? TGridLine{pos, bottom, pos, bottom + 5}
                                         : TGridLine{left - 5, pos, left, pos});
        TGridLabel label;
        label.Text = GridLabelText(v);
        if (axis.Event && *axis.Event) (*axis.Event)(label.Text, labels, pos, v);
        label.Width = GridLabelWidth(label.Text, fontSize);
        label.Position = pos;
        label.Value = v;
        if (axis.IsX) {
            label.Left = pos - label.Width / 2;
            label.Top = bottom + 7;
            picture.XLabels.push_back(std::move(label));
        } else {
            label.Left = left - label.Width - 7;
            label.Top = pos - yTextRise;
            picture.YLabels.push_back(std::move(label));
        }
    }
}
} // namespace

int TGridMapping::XToPixel(double x) const {
    return MarginLeft + ToPixel((x - XMin) * XScale);
}

int TGridMapping::YToPixel(double y) const {
    return (Height - MarginBottom) - ToPixel((y - YMin) * YScale);
}

double TGridMapping::XValue(int pixel) const {
    return XScale > 0 ? XMin + (pixel - MarginLeft) / XScale : XMin;
}

double TGridMapping::YValue(int pixel) const {
    return YScale > 0 ? YMin + ((Height - MarginBottom) - pixel) / YScale : YMin;
}

double GridLabelStep(double labelRange, double range, double span, bool integer, int& form) {
    form = 1;
    const double wanted = std::fabs(labelRange * range / span);
    if (!(wanted > 0) || !std::isfinite(wanted)) return 0;
    // Start a decade low, so a logarithm rounded the wrong way cannot skip the answer.
    int power = static_cast<int>(std::floor(std::log10(wanted))) - 1;
    double step = 0;
    for (; step == 0; ++power) {
        const double decade = std::pow(10.0, power);
        for (int f : {1, 2, 5}) {
            const double candidate = f * decade;
            if (candidate >= wanted - candidate / 10000) {
                step = candidate;
                form = f;
                break;
            }
        }
    }
    if (integer && step < 1) {
        step = 1;
        form = 1;
    }
    return step;
}

std::string GridLabelText(double value) {
    double rounded = value;
    if (std::fabs(value) < 1e15) rounded = std::nearbyint(value * 1e14) / 1e14;
    if (rounded == 0) rounded = 0; // no "-0"
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%.15g", rounded);
    std::string text = buffer;
    // An exponent is written the short way: 1E15, 1E-5.
    const size_t e = text.find('e');
    if (e != std::string::npos) {
        std::string mantissa = text.substr(0, e);
        int exponent = std::stoi(text.substr(e + 1));
        text = mantissa + "E" + std::to_string(exponent);
    }
    return text;
}

int GridLabelWidth(const std::string& text, int fontSize) {
    int units = 0;
    for (char c : text)
        units += c == '.' || c == ',' || c == '-' || c == '+' ? 3 : 6;
    return static_cast<int>(RoundHalfEven(fontSize * units / 8.0));
}

TGridPicture DrawGrid(const TGridProperties& p, int width, int height, int fontSize,
                      const TGridLabelEvents& events) {
    TGridPicture picture;
    picture.Mapping.MarginLeft = p.MarginLeft;
    picture.Mapping.MarginBottom = p.MarginBottom;
    picture.Mapping.Height = height;
    picture.Mapping.XMin = p.XMin;
    picture.Mapping.YMin = p.YMin;
    if (p.MarginLeft + p.MarginRight >= width || p.MarginTop + p.MarginBottom >= height) return picture;

    if (p.XMax > p.XMin) {
        TAxis x;
        x.IsX = true;
        x.Min = p.XMin;
        x.Max = p.XMax;
        x.Span = width - p.MarginRight - p.MarginLeft;
        x.LabelRange = p.XLabelRange;
        x.GridRange = p.XGridRange;
        x.Integer = p.XInteger;
        x.Interlabel = p.XInterlabelGrid;
        x.Lines = p.GridMode == TGridMode::mVer || p.GridMode == TGridMode::mBoth;
        x.Event = &events.OnXLabel;
        DrawAxis(x, p, width, height, fontSize, picture);
    }
    if (p.YMax > p.YMin) {
        TAxis y;
        y.IsX = false;
        y.Min = p.YMin;
        y.Max = p.YMax;
        y.Span = height - p.MarginBottom - p.MarginTop;
        y.LabelRange = p.YLabelRange;
        y.GridRange = p.YGridRange;
        y.Integer = p.YInteger;
        y.Interlabel = p.YInterlabelGrid;
        y.Lines = p.GridMode == TGridMode::mHor || p.GridMode == TGridMode::mBoth;
        y.Event = &events.OnYLabel;
        DrawAxis(y, p, width, height, fontSize, picture);
    }
    return picture;
}
