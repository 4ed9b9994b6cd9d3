#pragma once
// The small "Help Window" that follows the mouse and explains the control under it.
#include <QFrame>

class QLabel;

class THelpWindow : public QFrame {
    Q_OBJECT
public:
    explicit THelpWindow(QWidget* parent = nullptr);
    // Shows the hint and takes the size its whole text needs, word-wrapped.
    void SetHint(const QString& text);
    QString Hint() const;
    QLabel* TextLabel() const { return Text; }

    // Where the window goes for the mouse at this point: the game's placement beside the
    // mouse, then kept whole on the screen's available area.
    QPoint PositionFor(const QPoint& mouse, const QRect& screen) const;

private:
    QLabel* Text;
};
