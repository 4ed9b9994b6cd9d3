// The game: one main window, started by its own start-up timer.
//
// Options for developers:
//   --seed N            a fixed random seed, so a game replays exactly
//   --new-game P,C[,L]  fill in the start screen (player, company, level) and start at once
//   --weeks N           end N more weeks once the game has started
//   --open LINK         open the panel of a menu link (may be repeated)
//   --hire ROW          open "Hire Managers" and click candidate ROW (1 = first) of the grid in front
//   --quit              quit the game at the end, which shows the score panel
//   --save-game         press "Save game && end turn" after the weeks, as the player does
//   --load-game         with --new-game: press "Load Saved Game" instead of "Start Game"
//   --screenshot FILE   save a picture of the main window as PNG, then quit
//   --screenshots DIR   the bot plays --weeks N weeks of a new game; then one PNG of every
//                       panel, the start screen, the news window and the score sheet in DIR
// With --new-game or --screenshot every dialog is closed automatically.
#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSlider>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <optional>
#include <random>

#include "audio/SdlAudio.h"
#include "game/Game.h"
#include "online/OnlineConfig.h"
#include "persist/ScratchFolder.h"
#include "start/Folders.h"
#include "state/TextFields.h"
#include "ui/dialogs/StartScreenDialog.h"
#include "ui/panels/ManagersPanel.h"
#include "ui/widgets/LinkButton.h"
#include "ui/widgets/Theme.h"
#include "ui/window/MainWindow.h"
#include "ui/window/ModalHost.h"
#include "ui/window/MusicBox.h"
#include "ui/window/ScreenshotTour.h"

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
    // The desktop matches the window to its menu entry and shows the installed icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.quillon.Quillon"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("org.quillon.Quillon")));
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
    const QCommandLineOption saveOption(QStringLiteral("save-game"),
                                        QStringLiteral("Press \"Save game && end turn\" after the weeks."));
    const QCommandLineOption loadOption(QStringLiteral("load-game"),
                                        QStringLiteral("With --new-game: press \"Load Saved Game\"."));
    parser.addOptions({seedOption, newGameOption, weeksOption, openOption, shotOption, toursOption,
                       hireOption, quitOption, saveOption, loadOption});
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

    const bool touring = parser.isSet(toursOption);
    // The tour writes its save, profile and score records into a folder of its own, so that what
    // earlier runs left behind cannot change its pictures.
    QTemporaryDir tourData;
    std::optional<TFolders> folders;
    TMusicPlayer::TRandomFunction songChoice;
    if (touring) {
        if (!tourData.isValid()) {
            std::fprintf(stderr, "quillon: cannot make a temporary folder for the tour\n");
            return 1;
        }
        folders = DefaultFolders();
        folders->Data = WithBackslash(tourData.path().toStdString());
        // The first song, and so the banner, follow the seed instead of the clock.
        songChoice = [draw = std::minstd_rand(seed.value_or(0))](int n) mutable {
            return n > 0 ? static_cast<int>(draw() % static_cast<unsigned>(n)) : 0;
        };
    }

    TMainWindow window(seed, folders);
    // What an earlier game left when it was killed while it saved, loaded or unpacked.
    RemoveStaleTemporaries(window.Game().Folders);
    // An installed game shows the player where its online settings live: the documented file
    // with empty values is in ~/.config/quillon from the first start.
    if (window.Game().Folders.Installed) WriteOnlineSettingsTemplate(window.Game().Folders.ConfigFolder());
    // The songs and the effects were installed with the program.
    const std::string programFolder = window.Game().Folders.Program;
    TMusicBox& music = window.InstallMusic(std::make_unique<TSdlAudio>(), programFolder + "music",
                                           programFolder + "sounds", songChoice);
    // An update's restart ends the music first.
    window.StartScreen().Online.StopMusic = [&music] { music.Player().StopAll(); };
    const bool unattended =
        parser.isSet(newGameOption) || parser.isSet(shotOption) || parser.isSet(toursOption);
    if (unattended) window.Modals().AutoClose = true;

    if (touring) {
        window.HoldStill();
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
        const bool load = parser.isSet(loadOption);
        window.Modals().Gestures.push_back([names, load](QDialog& dialog) {
            auto* screen = qobject_cast<TStartScreenDialog*>(&dialog);
            if (!screen) return;
            screen->PlayerNameEdit()->setText(names.value(0));
            screen->CompanyNameEdit()->setText(names.value(1));
            if (names.size() > 2) screen->DifficultySlider()->setValue(names.value(2).toInt());
            if (load) {
                for (TLinkButton* link : screen->findChildren<TLinkButton*>())
                    if (link->text() == QStringLiteral("Load Saved Game")) link->click();
                return;
            }
            screen->StartButton()->click();
        });
    }

    const int weeks = parser.value(weeksOption).toInt();
    const QStringList panels = parser.values(openOption);
    const QString shot = parser.value(shotOption);
    const int hireRow = parser.isSet(hireOption) ? parser.value(hireOption).toInt() : 0;
    const bool quit = parser.isSet(quitOption);
    const bool save = parser.isSet(saveOption);
    const bool loaded = parser.isSet(loadOption);
    auto finish = [&window, weeks, panels, shot, hireRow, quit, save, loaded] {
        const TCompany& company = window.Game().State.Company;
        if (loaded) std::printf("Loaded: week %d of %d\n", company.Week, company.Year);
        for (int w = 0; w < weeks; ++w)
            window.RunEndOfWeek();
        if (save) {
            // The save holds the week shown before the press.
            std::printf("Saving: week %d of %d\n", company.Week, company.Year);
            window.Link(QStringLiteral("Game Options"))->click();
            window.Link(QStringLiteral("Save game && end turn"))->click();
        }
        for (const QString& link : panels)
            window.ShowPanel(link);
        if (hireRow > 0) {
            // A click on the candidate, as the player makes it.
            window.ShowPanel(QStringLiteral("Hire Managers"));
            QTableWidget* grid = window.ManagersPanel().ShownGrid();
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
