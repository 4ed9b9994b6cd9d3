#pragma once
// A picture of the studio's headquarters: a small two-storey office, a medium office block,
// a large glass tower or a big corporate campus, on its own patch of sky.
#include <QWidget>

class TBuildingPicture : public QWidget {
    Q_OBJECT
public:
    explicit TBuildingPicture(QWidget* parent = nullptr);
    // 0 Small, 1 Medium, 2 Large, 3 Big.
    void SetBuilding(int index);
    int Building() const { return Index; }
    QSize sizeHint() const override { return {204, 140}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int Index = 0;
};
