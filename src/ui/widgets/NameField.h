#pragma once
// The boxes where the player types a name (the player's, the company's, a game's). The game
// keeps names in Windows-1252 and writes them into lists separated by ";", so a box refuses,
// as they are typed or pasted, the characters that would come back as "?" and those the
// game's own check of the name refuses, and says why just under it. Every other character
// (é, ø, ü, €, ...) is kept as typed.
#include <QValidator>
#include <functional>
#include <string>

class QLabel;
class QLineEdit;

// The game's check of a whole name (Windows-1252): why it cannot be kept, or empty.
using TNameCheck = std::function<std::string(const std::string& name)>;

class TNameValidator : public QValidator {
    Q_OBJECT
public:
    // what: how the message names the box ("Player Name", "A game name").
    TNameValidator(const QString& what, TNameCheck check, QObject* parent = nullptr);

    // An edit that would put a refused character in the name is refused whole.
    State validate(QString& input, int& pos) const override;
    // Why the name cannot be kept, or empty when it can.
    QString Problem(const QString& name) const;

signals:
    // An edit was refused, and why.
    void Refused(const QString& why);

private:
    QString What;
    TNameCheck Check;
};

// The line that shows why an edit was refused: hidden until then, and again once the player
// leaves the box. The caller puts it under the box (or under several boxes it serves).
QLabel* MakeNameHint(QWidget* parent);
// Guards the box with a TNameValidator whose refusals the hint line shows.
void GuardName(QLineEdit* box, QLabel* hint, const QString& what, TNameCheck check);
