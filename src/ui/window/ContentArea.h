#pragma once
#include <QList>
#include <QPointer>
#include <QWidget>

class TContentPanel;

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

signals:
    // The panel is in front again after the one over it closed; it missed what happened.
    void Uncovered(TContentPanel* panel);

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
