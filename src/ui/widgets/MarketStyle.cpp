#include "ui/widgets/MarketStyle.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QFrame>
#include <QPushButton>

#include "state/ChoiceList.h"
#include "ui/widgets/Cp1252.h"
#include "ui/widgets/LinkButton.h"
#include "ui/widgets/NewsFeedView.h"

namespace {
const char* StyleSheet = R"(
QFrame#MarketCard {
    background: rgba(24, 34, 66, 200); border: 1px solid rgba(140, 175, 255, 60); border-radius: 6px;
}
QLabel#MarketTitle { color: #ffcf5a; font-size: 12pt; font-weight: bold; padding: 2px 0px; }
QLabel#WeekTitle { color: #ffcf5a; font-weight: bold; padding: 0px 2px; }
QLabel#ChooserCaption { color: #ffcf5a; font-weight: bold; }
QLabel#FutureTotal { color: #ffffff; font-weight: bold; font-size: 11pt; }
QLabel#GenreCount { color: #ffffff; font-weight: bold; font-size: 12pt; }
QWidget#ChartHeaderStrip {
    background: #e4d9b8; border-top-left-radius: 6px; border-top-right-radius: 6px;
    border-bottom: 1px solid #b8a978;
}
QLabel#ChartHeader { color: #2b2414; background: transparent; }
QTextEdit[paper="true"], QPlainTextEdit[paper="true"] {
    background: #f6f1e3; color: #000000; border: 1px solid #b8a978; border-radius: 4px;
    selection-background-color: #e0a21c; selection-color: #140e00;
}
QTextEdit#ChartText { border-top-left-radius: 0px; border-top-right-radius: 0px; border-top: none; }
QPushButton[market="true"] {
    color: #1a1200; font-weight: bold; border: 1px solid #ffdf8a; border-radius: 5px; padding: 4px 12px;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffd878, stop:1 #e0a21c);
}
QPushButton[market="true"]:hover {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffe7a6, stop:1 #f0b52e);
}
QPushButton[market="true"]:disabled { color: #6e6650; background: #4a4536; border: 1px solid #6e6650; }
QPushButton[link="true"]:disabled { color: rgba(143, 211, 255, 70); }
QComboBox {
    background: #0b1020; color: #ffffff; border: 1px solid #4a5f94; border-radius: 4px; padding: 2px 8px;
}
QComboBox:hover, QComboBox:focus { border: 1px solid #ffcf5a; }
QComboBox QAbstractItemView {
    background: #0b1020; color: #e8ecf6; selection-background-color: #e0a21c; selection-color: #140e00;
}
QTableWidget#WeekGrid {
    background: #0b1020; alternate-background-color: #131b33; border: 1px solid #34456e; border-radius: 4px;
}
QTableWidget#WeekGrid::item { padding: 0px 3px; }
QTableWidget#WeekGrid QHeaderView::section {
    background: #1f2c50; color: #9fb0d8; border: none; padding: 2px 3px; font-weight: bold;
}
)";

} // namespace

QFont MarketFixedFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setPointSize(9);
    return font;
}

QTextCharFormat MarketFormat(TFeedStyle style) {
    const QFont fixed = MarketFixedFont();
    QTextCharFormat format = FeedFormat(style, fixed);
    QFont font = format.font();
    font.setFamilies(fixed.families());
    font.setFixedPitch(true);
    font.setPointSize(fixed.pointSize());
    format.setFont(font);
    return format;
}

QString PlatformChoiceName(const std::string& item) {
    const size_t semicolon = item.rfind(';');
    const std::string name = semicolon == std::string::npos ? item : item.substr(0, semicolon);
    QString text = FromCp1252(name);
    while (!text.isEmpty() && text.back() == QLatin1Char(' '))
        text.chop(1);
    return text;
}

QStringList ChoiceTexts(const TChoiceList& list) {
    QStringList texts;
    for (const std::string& item : list.Items)
        texts.append(FromCp1252(item));
    return texts;
}

void ShowChoices(QComboBox* box, const QStringList& items, int selected) {
    const QSignalBlocker blocker(box);
    QStringList shown;
    for (int i = 0; i < box->count(); ++i)
        shown.append(box->itemText(i));
    if (shown != items) {
        box->clear();
        box->addItems(items);
    }
    box->setCurrentIndex(selected >= 0 && selected < items.size() ? selected : -1);
}

QComboBox* MakeMarketCombo(const QString& hint, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    box->setCursor(Qt::PointingHandCursor);
    SetHint(box, hint);
    return box;
}

QPushButton* MakeMarketButton(const QString& text, const QString& hint, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setProperty("market", true);
    button->setCursor(Qt::PointingHandCursor);
    SetHint(button, hint);
    return button;
}

QFrame* MakeMarketCard(QWidget* parent) {
    auto* card = new QFrame(parent);
    card->setObjectName(QStringLiteral("MarketCard"));
    card->setAttribute(Qt::WA_StyledBackground);
    return card;
}

const char* MarketStyleSheet() {
    return StyleSheet;
}
