#pragma once
// Greets the player once at the start of a new game.
#include <QDialog>

class TWelcomeDialog : public QDialog {
    Q_OBJECT
public:
    explicit TWelcomeDialog(QWidget* parent = nullptr);
    static QString Text();
};
