#pragma once
// The one kind of panel of the main window's content area: a title bar with an "X" button, a
// body the panel fills with its own controls, and a "Close" link. A panel reads the game and
// its view models and reaches the game only through its host's Act: opening the panel and the
// game changing while it is open may each ask one gesture of the game first, then Render()
// draws what the state and the views hold.
#include <QFrame>
#include <optional>
#include <utility>

#include "game/Gesture.h"
#include "ui/panels/PanelHost.h"

class QLabel;
class QPushButton;
class TGame;
class TLinkButton;

class TContentPanel : public QFrame {
    Q_OBJECT
public:
    TContentPanel(const QString& title, const TGame& game, TPanelHost& host, QWidget* parent = nullptr);

    QString Title() const;
    // Where a panel puts its controls.
    QWidget* Body() const { return BodyWidget; }
    QPushButton* XButton() const { return CloseX; }
    TLinkButton* CloseLink() const { return CloseButton; }

    // What the game is asked before the panel opens (its view brought up to date), if anything.
    virtual std::optional<TGesture> Opening() const { return std::nullopt; }
    // What the game is asked when it changed while the panel is open, if anything.
    virtual std::optional<TGesture> Following() const { return std::nullopt; }
    // The panel opens: Render() unless the panel has opening steps of its own.
    virtual void Refresh() { Render(); }
    // Draws what the game's state and view models hold now.
    virtual void Render() {}

    // Hides the panel, as its "X" does.
    void Close();

signals:
    // "X" or "Close" was pressed; the panel has hidden itself.
    void Closed();

protected:
    template <typename A>
    TOutcome Act(A&& action) {
        return Host.Act(MakeGesture(std::forward<A>(action)));
    }
    void ShowPanel(const QString& link) { Host.ShowPanel(link); }
    bool Confirm(const std::string& text, const std::string& caption) { return Host.Confirm(text, caption); }

    const TGame& Game;

private:
    TPanelHost& Host;
    QLabel* TitleLabel;
    QPushButton* CloseX;
    QWidget* BodyWidget;
    TLinkButton* CloseButton;
};
