#include "ui/StudyPanels.h"

#include "game/Game.h"
#include "ui/DevelopmentPage.h"
#include "ui/MainWindow.h"
#include "ui/ModalHost.h"
#include "ui/PortDialog.h"
#include "ui/PreviewPanel.h"
#include "ui/StudyPage.h"

TPortDialog* InstallStudyPanels(TMainWindow& window) {
    TGame& game = window.Game();
    const TPerform perform = [&window](const TPlayerAction& action) { window.Perform(action); };
    window.InstallPanel(QStringLiteral("Study And Tools"), new TStudyPage(game, perform));
    window.InstallPanel(QStringLiteral("Preview Feedback"), new TPreviewPanel(game));

    auto* dialog = new TPortDialog(&window);
    TDevelopmentPage& development = window.DevelopmentPage();
    QObject::connect(&development, &TDevelopmentPage::LatestPreviewRequested, &window,
                     [&window] { window.ShowPanel(QStringLiteral("Preview Feedback")); });
    QObject::connect(&development, &TDevelopmentPage::PortDialogRequested, &window, [&window, dialog] {
        dialog->Prepare(window.Game());
        // "Cancel" (or closing the window) changes nothing; "Choose" is the player's choice.
        if (window.Modals().Exec(*dialog, dialog->windowTitle()) != QDialog::Accepted) return;
        window.Perform(
            TPortGame{.ReleasedIndex = dialog->ChosenEntry(), .Platform = dialog->ChosenPlatform()});
    });
    return dialog;
}
