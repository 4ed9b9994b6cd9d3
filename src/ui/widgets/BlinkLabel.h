#pragma once
// A status label that can blink to draw the eye (money running low, no room for staff).
// The main window's animation timer drives it with Tick().
#include <QLabel>

class TBlinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit TBlinkLabel(QWidget* parent = nullptr);
    void SetBlinking(bool blinking);
    // Blinking with the text changing its look every intervalMs (0: steady).
    void SetBlinkInterval(int intervalMs);
    bool IsBlinking() const { return Blinking; }
    int BlinkInterval() const { return StepsPerPhase * 60; }
    // One animation step; the text flashes every few steps.
    void Tick();

private:
    void ApplyPhase();
    bool Blinking = false;
    bool Dimmed = false;
    int Steps = 0;
    // Eight 60 ms steps: a calm blink of about a second.
    int StepsPerPhase = 8;
};
