#pragma once
// The graph widget: a background grid with ticks and numeric labels, drawn from the grid's
// arithmetic in views/GraphGrid, on which its owner draws a series. Every paint draws the grid
// anew at the widget's present size, then calls OnPaint; pointing at the plot reports the
// values under the mouse.
#include <QColor>
#include <QWidget>
#include <functional>

#include "views/GraphGrid.h"

class QPainter;

class TPaintBoxGrid : public QWidget {
    Q_OBJECT
public:
    // 400 x 300 pixels with the properties at their defaults, until the owner lays it out.
    explicit TPaintBoxGrid(QWidget* parent = nullptr);

    // Changes take effect at the next drawing of the grid.
    TGridProperties& Properties() { return Props; }
    const TGridProperties& Properties() const { return Props; }
    void SetProperties(const TGridProperties& properties) { Props = properties; }
    TGridLabelEvents& LabelEvents() { return Events; }
    // Called as a paint starts, before the grid is drawn: the owner's moment to set the ranges.
    std::function<void()> BeforeGrid;
    // The control's background and the labels' colour (a paper look by default).
    QColor Background{0xf6, 0xf1, 0xe3};
    QColor TextColour{0x2b, 0x24, 0x14};
    // Called after the grid has been drawn, with the painter still on the widget.
    std::function<void(QPainter&)> OnPaint;

    // Draws the grid anew (at the next paint) and recomputes the scales.
    void DrawGrid() { update(); }
    // Where a value lands, by the scales of the last drawing.
    int XToPixel(double x) const { return Last.Mapping.XToPixel(x); }
    int YToPixel(double y) const { return Last.Mapping.YToPixel(y); }
    const TGridPicture& LastDrawing() const { return Last; }
    // The font size the label positions are worked out from.
    int LabelFontSize() const;

    QSize sizeHint() const override { return {400, 300}; }

signals:
    // The mouse is over the plot area, at these values (the X value only where an X axis is drawn).
    void Pointed(double x, double y);
    // The mouse has left the plot area.
    void PointerLeft();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    TGridProperties Props;
    TGridLabelEvents Events;
    TGridPicture Last;
    bool Painting = false;
};

// The square marker of a series point: 2 pixels either side of it.
void DrawMarker(QPainter& painter, int x, int y);
