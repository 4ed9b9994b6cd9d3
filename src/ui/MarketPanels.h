#pragma once
// The market panels of the "Info and News" menu: "Sales Charts", "Release Calendar" and
// "Future Releases", with the pieces they share.
#include <QString>
#include <QStringList>
#include <QTextCharFormat>
#include <functional>
#include <string>

#include "sim/NewsFeed.h"

class QComboBox;
class QFont;
class QFrame;
class QPushButton;
class QWidget;
class TChoiceList;
class TMainWindow;

// Runs one player action the way the main window does: an error it raises is shown, and the
// window catches up afterwards.
using TMarketPerform = std::function<void(const std::function<void()>&)>;

// Makes the three panels and puts them in place of the ones their menu links open. The panels
// that are open show the new week as soon as End Of Week has calculated it.
void InstallMarketPanels(TMainWindow& window, TMarketPerform perform);

// The fixed-pitch font the charts and lists are printed in, so their columns line up.
QFont MarketFixedFont();
// A text style of the game on the market panels' paper, in the fixed-pitch font of the same
// size throughout (a size change would push the columns out of line).
QTextCharFormat MarketFormat(TFeedStyle style);
// A platform choice item ("Amiga", spaces, ";0") as the player reads it: the name alone.
QString PlatformChoiceName(const std::string& item);
// The items of a choice list as shown.
QStringList ChoiceTexts(const TChoiceList& list);
// Puts items and selection into a combo box without reporting it as the player's choice.
void ShowChoices(QComboBox* box, const QStringList& items, int selected);

QComboBox* MakeMarketCombo(const QString& hint, QWidget* parent);
QPushButton* MakeMarketButton(const QString& text, const QString& hint, QWidget* parent);
QFrame* MakeMarketCard(QWidget* parent);
// The style sheet of the market panels' own controls (cards, buttons, paper text areas).
const char* MarketStyleSheet();
