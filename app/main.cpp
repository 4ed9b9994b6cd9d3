// The game: one main window, started by its own start-up timer.
//
// Options for developers:
//   --seed N            a fixed random seed, so a game replays exactly
//   --new-game P,C[,L]  fill in the start screen (player, company, level) and start at once
//   --weeks N           end N more weeks once the game has started
//   --open LINK         open the panel of a menu link (may be repeated)
//   --hire ROW          open "Hire Managers" and click candidate ROW (1 = first) of the grid in front
//   --quit              quit the game at the end, which shows the score panel
//   --screenshot FILE   save a picture of the main window as PNG, then quit
//   --screenshots DIR   the bot plays --weeks N weeks of a new game; then one PNG of every
//                       panel, the start screen, the news window and the score sheet in DIR
// With --new-game or --screenshot every dialog is closed automatically.
#include <QApplication>
#include <QCommandLineParser>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSlider>
#include <QTableWidget>
#include <QTimer>
#include <cstdio>

#include "audio/SdlAudio.h"
#include "game/Game.h"
#include "ui/LinkButton.h"
#include "ui/MainWindow.h"
#include "ui/ManagersPage.h"
#include "ui/ModalHost.h"
#include "ui/MusicBox.h"
#include "ui/ScreenshotTour.h"
#include "ui/StartScreenDialog.h"
#include "ui/Theme.h"

namespace {
// A left click at a point of a widget, as the mouse makes it.
void ClickAt(QWidget* widget, const QPoint& at) {
    const QPointF global = widget->mapToGlobal(QPointF(at));
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at), global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}
} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillon"));
    ApplyTheme(app);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Quillon - The Bright Years"));
    parser.addHelpOption();
    const QCommandLineOption seedOption(QStringLiteral("seed"), QStringLiteral("Fixed random seed."),
                                        QStringLiteral("N"));
    const QCommandLineOption newGameOption(QStringLiteral("new-game"),
                                           QStringLiteral("Start a game as PLAYER,COMPANY[,LEVEL]."),
                                           QStringLiteral("names"));
    const QCommandLineOption weeksOption(
        QStringLiteral("weeks"), QStringLiteral("Weeks to end after the start."), QStringLiteral("N"));
    const QCommandLineOption openOption(
        QStringLiteral("open"), QStringLiteral("Open the panel of a menu link."), QStringLiteral("link"));
    const QCommandLineOption shotOption(QStringLiteral("screenshot"),
                                        QStringLiteral("Save the main window as PNG and quit."),
                                        QStringLiteral("file"));
    const QCommandLineOption toursOption(
        QStringLiteral("screenshots"),
        QStringLiteral("Let the bot play --weeks N weeks, save a PNG of every screen in DIR and quit."),
        QStringLiteral("DIR"));
    const QCommandLineOption hireOption(QStringLiteral("hire"),
                                        QStringLiteral("Click a candidate row on the managers panel."),
                                        QStringLiteral("row"));
    const QCommandLineOption quitOption(QStringLiteral("quit"), QStringLiteral("Quit the game at the end."));
    parser.addOptions({seedOption, newGameOption, weeksOption, openOption, shotOption, toursOption,
                       hireOption, quitOption});
    parser.process(app);

    std::optional<uint32_t> seed;
    if (parser.isSet(seedOption)) {
        bool ok = false;
        const uint32_t value = parser.value(seedOption).toUInt(&ok);
        if (!ok) {
            std::fprintf(stderr, "quillon: --seed needs a whole number\n");
            return 2;
        }
        seed = value;
    }

    TMainWindow window(seed);
    // The songs and the effects were installed with the program.
    const std::string programFolder = window.Game().Folders.Program;
    TMusicBox* music = InstallMusic(window, std::make_unique<TSdlAudio>(), programFolder + "music",
                                    programFolder + "sounds");
    // An update's restart ends the music first.
    window.StartScreen().Online.StopMusic = [music] { music->Player().StopAll(); };
    const bool unattended =
        parser.isSet(newGameOption) || parser.isSet(shotOption) || parser.isSet(toursOption);
    if (unattended) window.Modals().AutoClose = true;

    if (parser.isSet(toursOption)) {
        auto* tour =
            new TScreenshotTour(window, parser.value(toursOption), parser.value(weeksOption).toInt());
        window.show();
        const int status = app.exec();
        for (const QString& file : tour->Failed)
            std::fprintf(stderr, "quillon: cannot write %s\n", qPrintable(file));
        std::printf("%lld pictures in %s after %d weeks\n", static_cast<long long>(tour->Written.size()),
                    qPrintable(parser.value(toursOption)), tour->WeeksPlayed);
        return status != 0 || !tour->Failed.isEmpty() ? 1 : 0;
    }

    if (parser.isSet(newGameOption)) {
        const QStringList names = parser.value(newGameOption).split(QLatin1Char(','));
        // The start screen is filled in and started as the player would.
        window.Modals().Gestures.push_back([names](QDialog& dialog) {
            auto* screen = qobject_cast<TStartScreenDialog*>(&dialog);
            if (!screen) return;
            screen->PlayerNameEdit()->setText(names.value(0));
            screen->CompanyNameEdit()->setText(names.value(1));
            if (names.size() > 2) screen->DifficultySlider()->setValue(names.value(2).toInt());
            screen->StartButton()->click();
        });
    }

    const int weeks = parser.value(weeksOption).toInt();
    const QStringList panels = parser.values(openOption);
    const QString shot = parser.value(shotOption);
    const int hireRow = parser.isSet(hireOption) ? parser.value(hireOption).toInt() : 0;
    const bool quit = parser.isSet(quitOption);
    auto finish = [&window, weeks, panels, shot, hireRow, quit] {
        for (int w = 0; w < weeks; ++w)
            window.RunEndOfWeek();
        for (const QString& link : panels)
            window.ShowPanel(link);
        if (hireRow > 0) {
            // A click on the candidate, as the player makes it.
            window.ShowPanel(QStringLiteral("Hire Managers"));
            QTableWidget* grid = window.ManagersPage().ShownGrid();
            if (QTableWidgetItem* item = grid->item(hireRow - 1, 0)) {
                grid->scrollToItem(item);
                ClickAt(grid->viewport(), grid->visualItemRect(item).center());
            }
        }
        if (quit) {
            window.Link(QStringLiteral("Game Options"))->click();
            window.Link(QStringLiteral("Quit Game"))->click();
            return;
        }
        if (shot.isEmpty()) return;
        // Let the starfield and the feed move a little before the picture is taken.
        QTimer::singleShot(700, &window, [&window, shot] {
            if (!window.grab().save(shot))
                std::fprintf(stderr, "quillon: cannot write %s\n", qPrintable(shot));
            QApplication::quit();
        });
    };
    QObject::connect(&window, &TMainWindow::GameStarted, &window, finish);
    if (!shot.isEmpty() && !parser.isSet(newGameOption)) {
        // A picture of the window before any game: the start screen is left alone.
        QTimer::singleShot(300, &window, [&window, shot] {
            window.grab().save(shot);
            QApplication::quit();
        });
    }

    window.show();
    return app.exec();
}
