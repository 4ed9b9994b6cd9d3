#include "ui/BlinkLabel.h"

#include <QStyle>

namespace {
// Eight 60 ms steps: a calm blink of about a second.
constexpr int StepsPerPhase = 8;
} // namespace

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
