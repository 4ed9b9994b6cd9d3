#pragma once
// A content panel that shows part of the running game. It renders from the game's panel
// models and hands every gesture of the player to the main window as one action, which runs
// the rule, reports an error it raises and brings the window up to date afterwards.
#include <QString>
#include <functional>

#include "game/Actions.h"
#include "ui/ContentPanel.h"

class QFrame;
class QLabel;
class QPushButton;
class QScrollArea;
class TGame;

// Applies one player action the way the main window does: the game applies it, then every
// open panel shows the new state once.
using TPerform = std::function<void(const TPlayerAction&)>;

class TGamePage : public TContentPanel {
    Q_OBJECT
public:
    TGamePage(const QString& title, TGame& game, TPerform perform, QWidget* parent = nullptr);

    // Shows what the models hold now; called after every action while the panel is open.
    virtual void Render() = 0;
    // Opening the panel: the rule's refresh first (where there is one), then Render.
    void Refresh() override { Render(); }
    void GameChanged() override { Render(); }

protected:
    void Act(const TPlayerAction& action) { Perform(action); }

    TGame& Game;

private:
    TPerform Perform;
};

// The building blocks the panels share, styled by the theme.
QLabel* MakeHeading(const QString& text, QWidget* parent);
QLabel* MakeCaption(const QString& text, QWidget* parent);
QLabel* MakeValue(QWidget* parent);
// A rounded box grouping related controls.
QFrame* MakeCard(QWidget* parent);
// Fills a page's body with an area that scrolls up and down, never sideways, and returns the
// widget to put the content on. The area asks for the width its content needs, so that the
// window keeps room for it instead of cutting off the right edge.
QWidget* MakeScrollingPage(QWidget* body);
QPushButton* MakeActionButton(const QString& text, const QString& hint, QWidget* parent);
