#pragma once
// A content panel of the main window: a title bar with an "X" button, a body the panel
// fills with its own controls, and a "Close" link. Panels of the game derive from it and
// override Refresh(), which the main window calls just before the panel is shown.
#include <QFrame>
#include <QList>
#include <QPointer>

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

// The area the panels fill; the starfield shows through when no panel is open. Panels pile
// up in the order they were opened, but only the one in front is shown: the panels are
// nearly opaque, and the text of a covered one would show through. Closing the front panel
// uncovers the one beneath it.
class TContentArea : public QWidget {
    Q_OBJECT
public:
    explicit TContentArea(QWidget* parent = nullptr) : QWidget(parent) {}
    // Follows the panel's showing and hiding, whoever does it.
    void Track(TContentPanel* panel);
    // Fills the area with the panel, shows it and brings it to the front.
    void Present(TContentPanel* panel);
    // Takes the panel off the pile, whether it is in front or covered.
    void Close(TContentPanel* panel);
    // The panel in front, or none.
    TContentPanel* Top() const;
    // The area is never smaller than the largest of its panels needs.
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void PutOnTop(TContentPanel* panel);
    void Uncover();

    // Open panels, the one in front last.
    QList<QPointer<TContentPanel>> Pile;
    // Set while the area itself shows or hides a panel.
    bool Arranging = false;
};
