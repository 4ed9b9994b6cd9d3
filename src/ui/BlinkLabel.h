#pragma once
// A status label that can blink to draw the eye (money running low, no room for staff).
// The main window's animation timer drives it with Tick().
#include <QLabel>

class TBlinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit TBlinkLabel(QWidget* parent = nullptr);
    void SetBlinking(bool blinking);
    bool IsBlinking() const { return Blinking; }
    // One animation step; the text flashes every few steps.
    void Tick();

private:
    void ApplyPhase();
    bool Blinking = false;
    bool Dimmed = false;
    int Steps = 0;
};
