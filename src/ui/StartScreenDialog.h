#pragma once
// The first screen of the game: the player's name, the company's name and the level of
// difficulty. "Start Game" applies them to the game; "Quit Game" ends the program.
#include <QDialog>

class QLabel;
class QLineEdit;
class QSlider;
class QPushButton;
class TGame;
class TLinkButton;

class TStartScreenDialog : public QDialog {
    Q_OBJECT
public:
    explicit TStartScreenDialog(TGame& game, QWidget* parent = nullptr);

    QLineEdit* PlayerNameEdit() const { return PlayerName; }
    QLineEdit* CompanyNameEdit() const { return CompanyName; }
    QSlider* DifficultySlider() const { return Difficulty; }
    QLabel* DifficultyLabel() const { return DifficultyText; }
    QPushButton* StartButton() const { return Start; }
    TLinkButton* QuitLink() const { return Quit; }

public slots:
    // Closing the screen any other way than "Start Game" quits.
    void reject() override;

private:
    void StartGame();

    TGame& Game;
    QLineEdit* PlayerName;
    QLineEdit* CompanyName;
    QSlider* Difficulty;
    QLabel* DifficultyText;
    QPushButton* Start;
    TLinkButton* Quit;
};
