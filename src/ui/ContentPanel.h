#pragma once
// A content panel of the main window: a title bar with an "X" button, a body the panel
// fills with its own controls, and a "Close" link. Panels of the game derive from it and
// override Refresh(), which the main window calls just before the panel is shown.
#include <QFrame>

class QLabel;
class QPushButton;
class QVBoxLayout;
class TLinkButton;

class TContentPanel : public QFrame {
    Q_OBJECT
public:
    explicit TContentPanel(const QString& title, QWidget* parent = nullptr);

    QString Title() const;
    // Where a panel puts its controls.
    QWidget* Body() const { return BodyWidget; }
    QPushButton* XButton() const { return CloseX; }
    TLinkButton* CloseLink() const { return CloseButton; }

    // Brings what the panel shows up to date with the game.
    virtual void Refresh() {}
    // The game changed while the panel is open (a player action, a week): show what is new
    // without the opening steps of Refresh().
    virtual void GameChanged() {}

signals:
    // "X" or "Close" was pressed; the panel has hidden itself.
    void Closed();

private:
    void HidePanel();

    QLabel* TitleLabel;
    QPushButton* CloseX;
    QWidget* BodyWidget;
    TLinkButton* CloseButton;
};

// The area the panels fill; the starfield shows through when no panel is open.
class TContentArea : public QWidget {
    Q_OBJECT
public:
    explicit TContentArea(QWidget* parent = nullptr) : QWidget(parent) {}
    // Fills the area with the panel, shows it and brings it to the front.
    void Present(TContentPanel* panel);

protected:
    void resizeEvent(QResizeEvent* event) override;
};
