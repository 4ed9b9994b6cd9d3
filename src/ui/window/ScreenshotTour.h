#pragma once
// Pictures of every screen without a person at the keyboard: the start screen, then a game the
// bot plays for some weeks, the main window with each panel of the menu open in turn, the
// window at its smallest and large with one panel over another, the news window, and the score
// sheet after quitting. One PNG per screen, named after it
// ("financial-info.png", "start-screen.png", ...).
#include <QObject>
#include <QString>
#include <QStringList>

class QDialog;
class TMainWindow;

class TScreenshotTour : public QObject {
    Q_OBJECT
public:
    // The window's dialogs must close by themselves (its modal host's AutoClose).
    TScreenshotTour(TMainWindow& window, const QString& folder, int weeks);

    // The file a screen's picture goes to: the screen's name in lower case, words joined by "-".
    static QString FileName(const QString& screen);

    // The pictures written and those that could not be, by file name.
    QStringList Written;
    QStringList Failed;
    // Weeks the bot played before the game ended or the tour went on.
    int WeeksPlayed = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void TakeTheGame();
    void Save(QWidget& widget, const QString& screen);

    TMainWindow& Window;
    QString Folder;
    int Weeks;
};
