#pragma once
// The status area at the top of the main window: company, calendar, money, space,
// employees and managers, the second "Game Options" link and the help-window switch.
#include <QFrame>

#include "views/StatusView.h"

class QCheckBox;
class QLabel;
class TBlinkLabel;
class TLinkButton;

class TStatusArea : public QFrame {
    Q_OBJECT
public:
    explicit TStatusArea(QWidget* parent = nullptr);

    void Show(const TStatusView& view);

    QLabel* WeekLabel() const { return Week; }
    TBlinkLabel* MoneyLabel() const { return Money; }
    TBlinkLabel* SpaceLabel() const { return Space; }
    QCheckBox* ShowHelpBox() const { return ShowHelp; }
    // Lead programmer, project leader, lead designer.
    QLabel* ManagerLabel(int kind) const { return Managers[kind]; }

signals:
    void GameOptionsRequested();
    void ShowHelpChanged(bool show);

private:
    QLabel* Company;
    QLabel* Week;
    TBlinkLabel* Money;
    TBlinkLabel* Space;
    QLabel* Employees;
    QLabel* Managers[3];
    QCheckBox* ShowHelp;
};
