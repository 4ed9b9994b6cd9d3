#include "ui/ModalHost.h"

#include <QAbstractButton>
#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

TModalHost::TModalHost() : AutoClose(qEnvironmentVariableIsSet("QUILLON_AUTOCLOSE_DIALOGS")) {}

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
        // Runs once the dialog's own event loop is up.
        QTimer::singleShot(0, &dialog, [target, gesture] {
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
