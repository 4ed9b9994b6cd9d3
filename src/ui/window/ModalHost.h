#pragma once
// Every modal dialog of the game runs through one host. In normal play it is a plain
// exec(). With automatic closing on (tests, screenshot runs, or the environment variable
// QUILLON_AUTOCLOSE_DIALOGS) each dialog is still built and shown, its caption and text are
// recorded, a queued gesture may act on it, and whatever stays open is then closed, so an
// unattended run never blocks. With QUILLON_DIALOG_SHOTS naming a folder, an unattended run
// also leaves a picture of every dialog there, for reviewing their looks.
#include <QString>
#include <deque>
#include <functional>
#include <vector>

class QDialog;

struct TShownDialog {
    QString Caption;
    QString Text;
};

class TModalHost {
public:
    TModalHost();

    // Runs the dialog modally; returns exec()'s result.
    int Exec(QDialog& dialog, const QString& text);

    bool AutoClose = false;
    std::vector<TShownDialog> Shown;
    // Gestures for the next automatically closed dialogs, one per dialog, in order.
    std::deque<std::function<void(QDialog&)>> Gestures;
    QString ShotFolder;

    bool Saw(const QString& text) const;
    int CountOf(const QString& text) const;
};

// What a dialog does when nobody answers it: a message box presses its escape (or
// default) button, any other dialog is rejected.
void CloseUnanswered(QDialog& dialog);
