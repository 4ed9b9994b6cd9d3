#pragma once
// The look the market panels ("Sales Charts", "Release Calendar", "Future Releases") share with
// the other panels that print fixed-pitch lists: fonts, text styles, choice boxes, buttons and
// cards.
#include <QString>
#include <QStringList>
#include <QTextCharFormat>
#include <string>

#include "sim/NewsFeed.h"

class QComboBox;
class QFont;
class QFrame;
class QPushButton;
class QWidget;
class TChoiceList;

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
