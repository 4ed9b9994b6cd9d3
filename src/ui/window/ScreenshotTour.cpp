#include "ui/window/ScreenshotTour.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <algorithm>

#include "game/Actions.h"
#include "game/Game.h"
#include "players/Bot.h"
#include "ui/dialogs/NewsDialog.h"
#include "ui/dialogs/StartScreenDialog.h"
#include "ui/panels/CompanyDetailsPanel.h"
#include "ui/panels/ContentPanel.h"
#include "ui/panels/FinancePanel.h"
#include "ui/widgets/LinkButton.h"
#include "ui/window/MainWindow.h"
#include "ui/window/ModalHost.h"

namespace {
// Lets the window lay out and paint what has just changed.
void Settle() {
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}
} // namespace

TScreenshotTour::TScreenshotTour(TMainWindow& window, const QString& folder, int weeks)
    : QObject(&window), Window(window), Folder(folder), Weeks(std::max(weeks, 0)) {
    QDir().mkpath(Folder);
    // The score sheet comes whenever the game ends: after quitting, or sooner if the money runs
    // out. It is pictured as it appears.
    Window.StartScreen().installEventFilter(this);
    // The start screen, filled in as a player would, then started.
    Window.Modals().Gestures.push_back([this](QDialog& dialog) {
        auto* screen = qobject_cast<TStartScreenDialog*>(&dialog);
        if (!screen) return;
        screen->PlayerNameEdit()->setText(QStringLiteral("Robin Vale"));
        screen->CompanyNameEdit()->setText(QStringLiteral("Lantern Soft"));
        Settle();
        Save(*screen, QStringLiteral("Start Screen"));
        screen->StartButton()->click();
    });
    connect(&Window, &TMainWindow::GameStarted, this, &TScreenshotTour::TakeTheGame);
}

QString TScreenshotTour::FileName(const QString& screen) {
    QString name = screen.toLower();
    name.replace(QRegularExpression(QStringLiteral("[^a-z0-9]+")), QStringLiteral("-"));
    name.remove(QRegularExpression(QStringLiteral("^-+|-+$")));
    return name + QStringLiteral(".png");
}

void TScreenshotTour::Save(QWidget& widget, const QString& screen) {
    const QString file = FileName(screen);
    if (widget.grab().save(QDir(Folder).filePath(file)))
        Written.append(file);
    else
        Failed.append(file);
}

bool TScreenshotTour::eventFilter(QObject* watched, QEvent* event) {
    auto* screen = qobject_cast<TStartScreenDialog*>(watched);
    if (screen && event->type() == QEvent::Show && screen->ShowsScore()) {
        // Now, before the dialog's host closes it unanswered; letting events run here would
        // close it before its own event loop is up, and that loop would then never end.
        Save(*screen, QStringLiteral("Score Sheet"));
    }
    return QObject::eventFilter(watched, event);
}

void TScreenshotTour::TakeTheGame() {
    // The bot makes its moves (through the game's actions), then ends the week as the player
    // does.
    TGame& game = Window.Game();
    for (; WeeksPlayed < Weeks && !Window.ProgramEnded() && !game.Flags.GameOver; ++WeeksPlayed) {
        BotTakesTurn(game);
        Window.Perform(TEndOfWeekAction{});
    }

    // Every panel the menu opens, including those added later; a few are shown as a player
    // would look at them, with a graph or a game chosen.
    QStringList links = Window.PanelLinks();
    links.sort();
    for (const QString& link : links) {
        Window.ShowPanel(link);
        if (auto* finance = qobject_cast<TFinancePanel*>(Window.Panel(link)))
            finance->GraphButton(4)->click();
        if (auto* company = qobject_cast<TCompanyDetailsPanel*>(Window.Panel(link))) {
            if (company->GamesList()->rowCount() > 0) emit company->GamesList()->cellClicked(0, 0);
        }
        Settle();
        Save(Window, link);
        Window.ClosePanel(link);
    }

    // The window at its smallest, with the fullest panel open; then large, with one panel
    // opened over another.
    const QSize opened = Window.size();
    Window.resize(Window.minimumSize());
    Window.ShowPanel(QStringLiteral("Development"));
    Settle();
    Save(Window, QStringLiteral("Smallest Window"));
    Window.ClosePanel(QStringLiteral("Development"));
    Window.resize(1600, 1000);
    Window.ShowPanel(QStringLiteral("Hire Managers"));
    Window.ShowPanel(QStringLiteral("Office and Equipment"));
    Settle();
    Save(Window, QStringLiteral("Large Window Panel Over Panel"));
    Window.ClosePanel(QStringLiteral("Office and Equipment"));
    Window.ClosePanel(QStringLiteral("Hire Managers"));
    Window.resize(opened);

    // The week's news, as "View World News" on the side panel opens it.
    Window.Modals().Gestures.push_back([this](QDialog& dialog) {
        Settle();
        Save(dialog, QStringLiteral("News Window"));
    });
    if (TLinkButton* news = Window.Link(QStringLiteral("View World News")))
        news->click();
    else
        Failed.append(FileName(QStringLiteral("News Window")));

    // Quitting shows the score sheet; closing it ends the program.
    if (!Window.ProgramEnded()) Window.Perform(TQuitGame{});
}
