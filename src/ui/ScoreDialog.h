#pragma once
// The final score sheet of a game.
#include <QDialog>

#include "state/PlayerInterface.h"

class QLabel;
class QTableWidget;

class TScoreDialog : public QDialog {
    Q_OBJECT
public:
    explicit TScoreDialog(QWidget* parent = nullptr);
    void SetSheet(const TScoreSheet& sheet);
    QString ScoreText() const;
    QTableWidget* Grid() const { return Table; }

private:
    QLabel* Score;
    QTableWidget* Table;
};
