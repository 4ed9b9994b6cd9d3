#pragma once
// A flat, link-like button: the menu's links, panel "Close" links, the side panel's links.
#include <QPushButton>

class TLinkButton : public QPushButton {
    Q_OBJECT
public:
    // hint: what the player sees in the status bar and the help window.
    TLinkButton(const QString& text, const QString& hint, QWidget* parent = nullptr);
};

// Sets the hint shown in the status bar (and so in the help window) for a control.
void SetHint(QWidget* widget, const QString& hint);
