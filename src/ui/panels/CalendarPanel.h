#pragma once
// The "Release Calendar" panel: six weeks of announced titles of one genre on one platform,
// the major games released lately, and, while a finished game waits for its date, the week
// chooser. The panel has no way out but "Choose" while it is choosing.
#include <array>

#include "ui/panels/ContentPanel.h"

class QComboBox;
class QFrame;
class QGridLayout;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;
class TGame;

class TCalendarPanel : public TContentPanel {
    Q_OBJECT
public:
    static constexpr int ColumnCount = 6;

    TCalendarPanel(const TGame& game, TPanelHost& host, QWidget* parent = nullptr);

    // Opening the panel: outside release mode it opens on the coming six weeks.
    std::optional<TGesture> Opening() const override { return TOpenPanel{TOpenedPanel::Calendar}; }
    // Shows the calendar as the game holds it now.
    void Render() override;

    QComboBox* GenreBox() const { return Genre; }
    QComboBox* PlatformBox() const { return Platform; }
    QComboBox* RatingBox() const { return Rating; }
    QLabel* ColumnTitle(int column) const { return Titles[column]; }
    QTableWidget* ColumnGrid(int column) const { return Grids[column]; }
    QPushButton* NextWeeksButton() const { return Next; }
    QPushButton* PreviousWeeksButton() const { return Previous; }
    QPlainTextEdit* ReleasedText() const { return Released; }
    QPushButton* ReleasedHintButton() const { return ReleasedHint; }
    QWidget* ChooserArea() const { return Chooser; }
    QComboBox* ChooserBox() const { return ChooserWeeks; }
    QLabel* ChooserYearLabel() const { return ChooserYear; }
    QPushButton* ChooseButton() const { return Choose; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void PlaceWeeks(int columns);
    // "Choose" in release mode: the week goes to the game, and the calendar closes once the
    // release has its date.
    void ChooseWeek();

    QComboBox* Genre;
    QComboBox* Platform;
    QComboBox* Rating;
    QWidget* Chooser;
    QComboBox* ChooserWeeks;
    QLabel* ChooserYear;
    QPushButton* Choose;
    QGridLayout* Weeks;
    int WeekColumns = 0;
    std::array<QFrame*, ColumnCount> Cards{};
    std::array<QLabel*, ColumnCount> Titles{};
    std::array<QTableWidget*, ColumnCount> Grids{};
    QPushButton* Previous;
    QPushButton* Next;
    QPlainTextEdit* Released;
    QPushButton* ReleasedHint;
};
