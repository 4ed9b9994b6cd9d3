#pragma once
// The "Future Releases" panel: every title announced for the rest of the year on one platform
// or on all, the experts' notes on the strongest, and how many there are of each genre.
#include <array>

#include "ui/panels/ContentPanel.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTextEdit;
class TGame;

class TFutureReleasesPanel : public TContentPanel {
    Q_OBJECT
public:
    TFutureReleasesPanel(const TGame& game, TPanelHost& host, QWidget* parent = nullptr);

    // Shows the list End Of Week (or the platform filter) built last.
    void Render() override;

    QComboBox* PlatformBox() const { return Platform; }
    QCheckBox* NextYearBox() const { return NextYear; }
    QTextEdit* ReleasesView() const { return Releases; }
    QLabel* TotalLabel() const { return Total; }
    QLabel* GenreCountLabel(int genre) const { return GenreCounts[genre]; }
    QLabel* GenreNameLabel(int genre) const { return GenreNames[genre]; }
    QPushButton* CalendarButton() const { return Calendar; }

private:
    QComboBox* Platform;
    QCheckBox* NextYear;
    QTextEdit* Releases;
    QLabel* Total;
    std::array<QLabel*, 7> GenreCounts{};
    std::array<QLabel*, 7> GenreNames{};
    QPushButton* Calendar;
};
