#pragma once
// A number field with an up/down pair beside it. The counter does not change its own value:
// a step is a request the game may refuse, and whoever owns the counter shows the value the
// game settled on. A number typed into the field (Enter or leaving the field) asks for the
// whole change at once, kept within the counter's limits; the game goes as far towards it as
// its rules allow.
#include <QWidget>

class QLineEdit;
class QToolButton;

class TCounter : public QWidget {
    Q_OBJECT
public:
    TCounter(int minimum, int maximum, QWidget* parent = nullptr);

    void SetValue(int value);
    int Value() const { return Shown; }
    QLineEdit* Field() const { return Number; }
    QToolButton* UpButton() const { return Up; }
    QToolButton* DownButton() const { return Down; }
    // Sets the hint of the field and of both arrows.
    void SetHint(const QString& hint);

signals:
    // The change wanted: +1 or -1 from the arrows, the keys and the wheel, any other from a
    // typed number; only asked for while the limit in that direction has not been reached.
    void StepRequested(int step);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Request(int step);
    // The number typed into the field becomes a request; the field then shows the value.
    void CommitTyped();

    int Minimum;
    int Maximum;
    int Shown = 0;
    QLineEdit* Number;
    QToolButton* Up;
    QToolButton* Down;
};
