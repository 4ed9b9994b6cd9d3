#pragma once
// The "Development" panel. The project area (upper part) belongs to the project rules and is
// empty and disabled until a project can be set up; below it the hire-assistants box.
#include <array>

#include "ui/GamePage.h"

class TBlinkLabel;
class TCounter;

class TDevelopmentPage : public TGamePage {
    Q_OBJECT
public:
    TDevelopmentPage(TGame& game, TPerform perform, QWidget* parent = nullptr);

    void Render() override;

    QWidget* ProjectArea() const { return Project; }
    // Programmers, musicians, graphic designers.
    TCounter* AssistantCounter(int kind) const { return Counters.at(static_cast<size_t>(kind)); }
    TBlinkLabel* SpaceLabel() const { return Space; }
    QLabel* ErrorLine() const { return Error; }
    QLabel* WageLabel() const { return Wage; }

private:
    QWidget* Project;
    std::array<TCounter*, 3> Counters{};
    TBlinkLabel* Space;
    QLabel* Error;
    QLabel* Wage;
};
