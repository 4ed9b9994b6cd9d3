#include "ui/widgets/BlinkLabel.h"

#include <QStyle>
#include <algorithm>

TBlinkLabel::TBlinkLabel(QWidget* parent) : QLabel(parent) {
    setProperty("blink", "off");
}

void TBlinkLabel::SetBlinking(bool blinking) {
    if (blinking == Blinking) return;
    Blinking = blinking;
    Dimmed = false;
    Steps = 0;
    ApplyPhase();
}

void TBlinkLabel::SetBlinkInterval(int intervalMs) {
    // The window's animation timer ticks every 60 ms.
    if (intervalMs > 0) StepsPerPhase = std::max(1, (intervalMs + 30) / 60);
    SetBlinking(intervalMs > 0);
}

void TBlinkLabel::Tick() {
    if (!Blinking) return;
    if (++Steps < StepsPerPhase) return;
    Steps = 0;
    Dimmed = !Dimmed;
    ApplyPhase();
}

void TBlinkLabel::ApplyPhase() {
    const char* phase = !Blinking ? "off" : Dimmed ? "dim" : "alert";
    setProperty("blink", phase);
    // The style sheet picks the colours by the property; make it look again.
    style()->unpolish(this);
    style()->polish(this);
}
