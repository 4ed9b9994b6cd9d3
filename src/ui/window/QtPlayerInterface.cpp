#include "ui/window/QtPlayerInterface.h"

#include <QApplication>
#include <QEventLoop>
#include <QMessageBox>
#include <QTimer>

#include "ui/dialogs/DepartureDialog.h"
#include "ui/dialogs/HireDialog.h"
#include "ui/dialogs/NewsDialog.h"
#include "ui/dialogs/RentDialog.h"
#include "ui/dialogs/StartScreenDialog.h"
#include "ui/dialogs/WorkingWindow.h"
#include "ui/widgets/Cp1252.h"
#include "ui/widgets/NewsFeedView.h"
#include "ui/window/ModalHost.h"
#include "ui/window/SidePanel.h"

namespace {
QMessageBox::Icon IconOf(TMessageKind kind) {
    switch (kind) {
    case TMessageKind::Information:
        return QMessageBox::Information;
    case TMessageKind::Warning:
        return QMessageBox::Warning;
    case TMessageKind::Error:
        return QMessageBox::Critical;
    case TMessageKind::Plain:
        break;
    }
    return QMessageBox::NoIcon;
}
} // namespace

void TQtPlayerInterface::ShowMessage(const std::string& text, const std::string& caption, TMessageKind kind) {
    const QString shown = FromCoreText(text);
    QMessageBox box(IconOf(kind), FromCp1252(caption), shown, QMessageBox::Ok, &Window.Frame());
    box.setTextFormat(Qt::PlainText);
    Window.Modals().Exec(box, shown);
}

TAnswer TQtPlayerInterface::Ask(const std::string& text, const std::string& caption, TButtons buttons) {
    const QString shown = FromCoreText(text);
    if (caption == "Rent") {
        // Renting and terminating a room have their own dialog with "Yes." and "No.".
        TRentDialog& rent = Window.RentWindow();
        rent.SetQuestion(shown);
        return Window.Modals().Exec(rent, shown) == QDialog::Accepted ? TAnswer::Yes : TAnswer::No;
    }
    return AskInBox(text, caption, buttons, QMessageBox::NoButton);
}

bool TQtPlayerInterface::AskBeforeLoss(const std::string& text, const std::string& caption) {
    return AskInBox(text, caption, TButtons::YesNo, QMessageBox::No) == TAnswer::Yes;
}

TAnswer TQtPlayerInterface::AskInBox(const std::string& text, const std::string& caption, TButtons buttons,
                                     QMessageBox::StandardButton preferred) {
    const QString shown = FromCoreText(text);
    QMessageBox::StandardButtons choice = QMessageBox::Ok;
    if (buttons == TButtons::YesNo) choice = QMessageBox::Yes | QMessageBox::No;
    if (buttons == TButtons::YesNoCancel) choice = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    QMessageBox box(QMessageBox::Question, FromCp1252(caption), shown, choice, &Window.Frame());
    box.setTextFormat(Qt::PlainText);
    if (preferred != QMessageBox::NoButton) box.setDefaultButton(preferred);
    Window.Modals().Exec(box, shown);
    const QAbstractButton* pressed = box.clickedButton();
    if (pressed == box.button(QMessageBox::Yes)) return TAnswer::Yes;
    if (pressed == box.button(QMessageBox::No)) return TAnswer::No;
    if (pressed == box.button(QMessageBox::Ok)) return TAnswer::Ok;
    return buttons == TButtons::YesNo ? TAnswer::No : TAnswer::Cancel;
}

void TQtPlayerInterface::ShowNewsWindow(const TNewsTexts& texts) {
    TNewsDialog& dialog = Window.NewsWindow();
    dialog.SetTexts(texts);
    Window.Modals().Exec(dialog, dialog.AllText());
}

void TQtPlayerInterface::ShowWorking(const std::string& text) {
    Window.WorkingWindow().ShowText(FromCoreText(text));
}

void TQtPlayerInterface::CloseWorking() {
    Window.WorkingWindow().hide();
}

void TQtPlayerInterface::Progress(const std::string& text, int percent) {
    // While the start screen is open, starting a game fills the start screen's own gauge.
    TStartScreenDialog& start = Window.StartScreen();
    if (start.isVisible())
        start.SetGauge(percent);
    else
        Window.ProgressWindow().ShowProgress(FromCoreText(text), percent);
}

void TQtPlayerInterface::CloseProgress() {
    TStartScreenDialog& start = Window.StartScreen();
    if (start.isVisible()) start.HideGauge();
    Window.ProgressWindow().hide();
}

void TQtPlayerInterface::ProcessEvents() {
    // The player's clicks wait until the step is over.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TQtPlayerInterface::Pause(int milliseconds) {
    // An unattended run only lets the window paint.
    if (Window.Modals().AutoClose || milliseconds <= 0) {
        ProcessEvents();
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

void TQtPlayerInterface::SetBusy(bool busy) {
    if (busy == Busy) return;
    Busy = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void TQtPlayerInterface::SetAnimation(bool running) {
    Window.SetAnimation(running);
}

void TQtPlayerInterface::ShowDeparture(const std::string& text) {
    TDepartureDialog& dialog = Window.DepartureWindow();
    dialog.SetText(FromCoreText(text));
    Window.Modals().Exec(dialog, dialog.Text());
}

void TQtPlayerInterface::ShowScoreSheet(const TScoreSheet& sheet) {
    TStartScreenDialog& screen = Window.StartScreen();
    screen.ShowScore(sheet);
    Window.Modals().Exec(screen, QStringLiteral("GAME IS OVER\nYour score : ") + screen.ScoreText());
    // Closing the score panel ends the program once the current step has finished.
    Window.RequestProgramEnd();
}

bool TQtPlayerInterface::ConfirmHire(const THireOffer& offer) {
    THireDialog& dialog = Window.HireWindow();
    dialog.SetOffer(offer);
    const int answer = Window.Modals().Exec(dialog, dialog.Text());
    return answer == QDialog::Accepted && offer.HireEnabled;
}

void TQtPlayerInterface::CloseWeekPanels() {
    Window.ClosePanel(QStringLiteral("Player"));
    Window.ClosePanel(QStringLiteral("Game Options"));
}

void TQtPlayerInterface::ScrollFeedToTop() {
    Window.ScrollFeedToTop();
}

void TQtPlayerInterface::StatusChanged() {
    // Only a long step (End Of Week, with its working window up) repaints as it goes; after an
    // action the window refreshes once anyway.
    if (Window.WorkingWindow().isVisible()) Window.RefreshStatus();
}
