#include "ui/window/ModalHost.h"

#include <QAbstractButton>
#include <QDialog>
#include <QDir>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <algorithm>

TModalHost::TModalHost()
    : AutoClose(qEnvironmentVariableIsSet("QUILLON_AUTOCLOSE_DIALOGS")),
      ShotFolder(qEnvironmentVariable("QUILLON_DIALOG_SHOTS")) {}

void CloseUnanswered(QDialog& dialog) {
    if (!dialog.isVisible()) return;
    if (auto* box = qobject_cast<QMessageBox*>(&dialog)) {
        // What Escape would do: cancel, else no, else the only button there is.
        QAbstractButton* button = box->escapeButton();
        for (auto role : {QMessageBox::RejectRole, QMessageBox::NoRole, QMessageBox::AcceptRole})
            for (QAbstractButton* candidate : box->buttons())
                if (!button && box->buttonRole(candidate) == role) button = candidate;
        if (button) {
            button->click();
            return;
        }
    }
    dialog.reject();
}

int TModalHost::Exec(QDialog& dialog, const QString& text) {
    Shown.push_back({dialog.windowTitle(), text});
    if (AutoClose) {
        std::function<void(QDialog&)> gesture;
        if (!Gestures.empty()) {
            gesture = std::move(Gestures.front());
            Gestures.pop_front();
        }
        QPointer<QDialog> target(&dialog);
        QString shot;
        if (!ShotFolder.isEmpty())
            shot = QDir(ShotFolder)
                       .filePath(QStringLiteral("dialog-%1-%2.png")
                                     .arg(Shown.size(), 2, 10, QLatin1Char('0'))
                                     .arg(dialog.windowTitle().remove(QRegularExpression("[^A-Za-z]"))));
        // Runs once the dialog's own event loop is up.
        QTimer::singleShot(0, &dialog, [target, gesture, shot] {
            if (target && !shot.isEmpty()) target->grab().save(shot);
            if (target && gesture) gesture(*target);
            if (target) CloseUnanswered(*target);
        });
    }
    return dialog.exec();
}

bool TModalHost::Saw(const QString& text) const {
    return CountOf(text) > 0;
}

int TModalHost::CountOf(const QString& text) const {
    return static_cast<int>(
        std::count_if(Shown.begin(), Shown.end(), [&](const TShownDialog& d) { return d.Text == text; }));
}
