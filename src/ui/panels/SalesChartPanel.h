#pragma once
// The "Sales Charts" panel: the chart End Of Week built (or the one the player asked for),
// printed in a fixed-pitch font with the player's games in the header style, the platform
// filter and "View all time best".
#include <QStringList>

#include "ui/panels/ContentPanel.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTextEdit;
class TGame;

class TSalesChartPanel : public TContentPanel {
    Q_OBJECT
public:
    TSalesChartPanel(const TGame& game, TPanelHost& host, QWidget* parent = nullptr);

    // Shows the chart as the game holds it now; nothing is rebuilt.
    void Render() override;

    QLabel* ChartTitle() const { return Title; }
    QLabel* HeaderLine() const { return Header; }
    QComboBox* PlatformBox() const { return Platform; }
    QPushButton* AllTimeButton() const { return AllTime; }
    QTextEdit* ChartView() const { return Chart; }
    // The rows as printed, one per position.
    QStringList Rows() const;
    // The row is printed in the header style (a game of the player's).
    bool RowInHeaderStyle(int row) const;
    // The point size the chart is printed in: the designed one, or smaller where the box is
    // too narrow for the widest row, so that no column is cut off or needs scrolling sideways.
    int PrintSize() const { return PointSize; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FollowHorizontalScroll(int position);
    int FittingPointSize() const;
    // Prints the header and every row in this size.
    void ApplyPointSize(int size);

    QLabel* Title;
    QComboBox* Platform;
    QPushButton* AllTime;
    QWidget* HeaderStrip;
    QLabel* Header;
    QTextEdit* Chart;
    int PointSize;
};
