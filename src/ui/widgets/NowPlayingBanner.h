#pragma once
// The main window's banner: one line of text, "Now Playing :" and the song, that scrolls
// along when it is wider than its room.
#include <QWidget>

class TNowPlayingBanner : public QWidget {
    Q_OBJECT
public:
    explicit TNowPlayingBanner(QWidget* parent = nullptr);

    void SetText(const QString& text);
    QString Text() const { return Line; }
    // Moves the text on by a step; the window's animation timer calls it.
    void Step();
    int Offset() const { return Shift; }

protected:
    void paintEvent(QPaintEvent* event) override;
    QSize sizeHint() const override;

private:
    int TextWidth() const;

    QString Line;
    int Shift = 0;
};
