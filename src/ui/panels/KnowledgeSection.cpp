#include "ui/panels/KnowledgeSection.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "ui/panels/PanelKit.h"
#include "ui/widgets/Cp1252.h"
#include "ui/widgets/LinkButton.h"
#include "ui/widgets/MarketStyle.h"

namespace {
const char* const Hints[KnowledgeListCount] = {
    "How well your studio knows each platform; it raises the quality of your games on it",
    "How well your studio knows each genre, learnt by making games of it; it raises their quality",
    "Your anti-piracy code for each platform; it keeps pirates from your income",
    "Your inhouse tools for each platform; from 20% on they cut development time",
    "Your methods for porting games made for each platform to other platforms",
};
} // namespace

TKnowledgeSection::TKnowledgeSection(QWidget* parent) : QWidget(parent) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(4);
    const QFont fixed = MarketFixedFont();
    // Platform lists first, then genres: two rows of three and two.
    const int places[KnowledgeListCount][2] = {{0, 0}, {2, 0}, {2, 1}, {0, 1}, {0, 2}};
    for (int i = 0; i < KnowledgeListCount; ++i) {
        const QString hint = tr(Hints[i]);
        auto* title = MakeHeading(QString::fromLatin1(TCompanyKnowledge::Titles[i]), this);
        SetHint(title, hint);
        auto* list = new QListWidget(this);
        list->setFont(fixed);
        list->setSelectionMode(QAbstractItemView::NoSelection);
        list->setFocusPolicy(Qt::NoFocus);
        // Room for a name column of 17 characters and "100%".
        list->setMinimumWidth(QFontMetrics(fixed).horizontalAdvance(QString(22, QLatin1Char('M'))) + 12);
        SetHint(list, hint);
        grid->addWidget(title, places[i][0], places[i][1]);
        grid->addWidget(list, places[i][0] + 1, places[i][1]);
        Lists[static_cast<size_t>(i)] = list;
    }
    grid->setRowStretch(1, 3);
    grid->setRowStretch(3, 2);
}

void TKnowledgeSection::Show(const TCompanyKnowledge& knowledge) {
    for (int i = 0; i < KnowledgeListCount; ++i) {
        QListWidget* list = Lists[static_cast<size_t>(i)];
        list->clear();
        for (const std::string& line : knowledge.Lines[static_cast<size_t>(i)])
            list->addItem(FromCp1252(line));
    }
}
