#pragma once
// The porting dialog: the studio's released games and the platform to port one of them to.
// "Choose" closes it with OK, "Cancel" with Cancel; the main window then applies the choice.
#include <QDialog>
#include <vector>

#include "views/PortView.h"

class QComboBox;
class QPushButton;
class QTableWidget;
class TGameCore;

class TPortDialog : public QDialog {
    Q_OBJECT
public:
    explicit TPortDialog(QWidget* parent = nullptr);

    // Opening: the games list and the project's platforms, no platform chosen, "Choose" off.
    void Prepare(const TGameCore& game);
    // The chosen game's position in ReleasedGames (-1 with an empty list) and the chosen
    // platform (-1: none).
    int ChosenEntry() const;
    int ChosenPlatform() const;

    QTableWidget* Games() const { return Grid; }
    QComboBox* PlatformBox() const { return Platform; }
    QPushButton* ChooseButton() const { return Choose; }
    QPushButton* CancelButton() const { return Cancel; }

private:
    void PlatformChosen(int index);

    std::vector<TPortRow> Rows;
    QTableWidget* Grid;
    QComboBox* Platform;
    QPushButton* Choose;
    QPushButton* Cancel;
};
