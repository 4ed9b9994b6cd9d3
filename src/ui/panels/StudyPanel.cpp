#include "ui/panels/StudyPanel.h"

#include <QFontMetrics>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "company/Study.h"
#include "game/Game.h"
#include "state/PlatformTables.h"
#include "ui/panels/PanelKit.h"
#include "ui/widgets/Counter.h"
#include "ui/widgets/Cp1252.h"
#include "ui/widgets/LinkButton.h"
#include "ui/widgets/MarketStyle.h"

namespace {

struct TActivityText {
    const char* Heading;
    const char* CounterCaption;
};

const TActivityText Texts[StudyActivityCount] = {
    {"Study", "How many should study :"},
    {"Tools", "How many :"},
    {"Anti-Piracy", "How many :"},
    {"Platform Independence", "How many :"},
};

} // namespace

TStudyPanel::TStudyPanel(const TGame& game, TPanelHost& host, QWidget* parent)
    : TContentPanel(QStringLiteral("Study And Tools"), game, host, parent) {
    // The page scrolls when the help box needs more room than a small window has.
    Page = MakeScrollingPage(Body());

    auto* layout = new QVBoxLayout(Page);
    layout->setContentsMargins(16, 12, 16, 6);
    layout->setSpacing(10);

    auto* grid = new QGridLayout;
    grid->setSpacing(10);
    for (int a = 0; a < StudyActivityCount; ++a)
        grid->addWidget(BuildActivity(static_cast<TStudyActivity>(a)), a / 2, a % 2);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    layout->addLayout(grid);

    // The help box of the "?" beside platform independence.
    auto* help = MakeCard(Page);
    Help = help;
    auto* helpLayout = new QVBoxLayout(help);
    helpLayout->setContentsMargins(14, 8, 14, 8);
    helpLayout->setSpacing(4);
    helpLayout->addWidget(MakeHeading(tr("Platform Independence"), help));
    // The text brings its own line breaks.
    HelpLabel = new QLabel(help);
    helpLayout->addWidget(HelpLabel);
    auto* close = new TLinkButton(QStringLiteral("Close"), tr("Close the help box"), help);
    helpLayout->addWidget(close, 0, Qt::AlignRight);
    connect(close, &QPushButton::clicked, help, &QWidget::hide);
    help->hide();
    layout->addWidget(help);
    layout->addStretch(1);
}

QWidget* TStudyPanel::BuildActivity(TStudyActivity activity) {
    const TActivityText& text = Texts[static_cast<int>(activity)];
    const QString hint = FromCoreText(StudyHints[static_cast<int>(activity)]);
    TActivityControls& controls = Of(activity);

    auto* card = MakeCard(Page);
    auto* layout = new QVBoxLayout(card);
    layout->setContentsMargins(14, 8, 14, 12);
    layout->setSpacing(6);
    auto* top = new QHBoxLayout;
    top->addWidget(MakeHeading(QString::fromLatin1(text.Heading), card), 1);
    if (activity == TStudyActivity::Porting) {
        HelpButton = MakeActionButton(QStringLiteral("?"), tr("More about platform independence"), card);
        HelpButton->setStyleSheet(QStringLiteral("padding: 1px 8px; font-weight: bold;"));
        top->addWidget(HelpButton, 0, Qt::AlignBottom);
        connect(HelpButton, &QPushButton::clicked, this, [this] {
            HelpLabel->setText(FromCoreText(PortingHelp));
            Help->show();
            Body()->findChild<QScrollArea*>()->ensureWidgetVisible(Help);
        });
    }
    layout->addLayout(top);

    // The display: the platform under its caption, the staff and what they have achieved.
    auto* rows = new QGridLayout;
    rows->setHorizontalSpacing(10);
    rows->setVerticalSpacing(5);
    auto* platformCaption = MakeCaption(QStringLiteral("Currently Choosen Platform :"), card);
    controls.Platform = MakeValue(card);
    controls.Choose = new TLinkButton(QStringLiteral("Choose Platform"), hint, card);
    auto* counterCaption = MakeCaption(QString::fromLatin1(text.CounterCaption), card);
    controls.Counter = new TCounter(0, 100, card);
    for (QWidget* widget : {static_cast<QWidget*>(platformCaption), static_cast<QWidget*>(controls.Platform),
                            static_cast<QWidget*>(counterCaption)})
        SetHint(widget, hint);
    controls.Counter->SetHint(hint);
    rows->addWidget(platformCaption, 0, 0, 1, 2);
    rows->addWidget(controls.Platform, 1, 0);
    rows->addWidget(controls.Choose, 1, 1, Qt::AlignLeft);
    rows->addWidget(counterCaption, 2, 0);
    rows->addWidget(controls.Counter, 2, 1);

    const auto addFigure = [&](const QString& caption, int row, bool below) {
        auto* label = MakeCaption(caption, card);
        auto* value = MakeValue(card);
        SetHint(label, hint);
        SetHint(value, hint);
        rows->addWidget(label, row, 0);
        // A long value goes under its caption.
        if (below)
            rows->addWidget(value, row + 1, 0, 1, 2);
        else
            rows->addWidget(value, row, 1);
        return value;
    };
    switch (activity) {
    case TStudyActivity::Study:
        Ability = addFigure(QStringLiteral("Ability:"), 3, false);
        break;
    case TStudyActivity::Tools:
        ToolProgress = addFigure(QStringLiteral("Progress:"), 3, true);
        ToolCurrent = addFigure(QStringLiteral("Current :"), 5, false);
        break;
    default:
        controls.Efficiency = addFigure(QStringLiteral("Efficiency"), 3, false);
        break;
    }
    rows->setColumnStretch(1, 1);
    layout->addLayout(rows);
    layout->addStretch(1);

    // The platform list drops down from "Choose Platform" until a platform is chosen.
    controls.List = new QListWidget(this);
    controls.List->setWindowFlags(Qt::Popup);
    controls.List->setFont(MarketFixedFont());
    controls.List->setFixedSize(170, 8 * QFontMetrics(MarketFixedFont()).height() + 12);
    SetHint(controls.List, hint);

    connect(controls.Choose, &QPushButton::clicked, this, [this, activity] { ShowList(activity, true); });
    connect(controls.List, &QListWidget::itemClicked, this, [this, activity](QListWidgetItem* item) {
        ShowList(activity, false);
        Act(TChooseStudyPlatform{.Activity = activity, .Platform = item->data(Qt::UserRole).toInt()});
    });
    connect(controls.Counter, &TCounter::StepRequested, this, [this, activity](int step) {
        Act(TSetStudyStaff{.Activity = activity, .Count = StudyStaffOf(Game, activity) + step});
    });
    return card;
}

void TStudyPanel::ShowList(TStudyActivity activity, bool shown) {
    TActivityControls& controls = Of(activity);
    if (!shown) {
        controls.List->hide();
        return;
    }
    controls.List->clear();
    for (const std::string& item : StudyPlatformList(Game, activity).Items) {
        auto* row = new QListWidgetItem(PlatformChoiceName(item), controls.List);
        row->setData(Qt::UserRole, PlatformOfChoice(item));
        if (PlatformOfChoice(item) == StudyPlatformOf(Game, activity)) controls.List->setCurrentItem(row);
    }
    controls.List->move(controls.Choose->mapToGlobal(QPoint(0, controls.Choose->height())));
    controls.List->show();
    controls.List->setFocus();
}

void TStudyPanel::Refresh() {
    for (int a = 0; a < StudyActivityCount; ++a)
        ShowList(static_cast<TStudyActivity>(a), false);
    Render();
}

void TStudyPanel::Render() {
    const TStudy& s = Game.State.Study;
    for (int a = 0; a < StudyActivityCount; ++a) {
        const auto activity = static_cast<TStudyActivity>(a);
        TActivityControls& controls = Of(activity);
        controls.Platform->setText(FromCp1252(s.PlatformName[static_cast<size_t>(a)]));
        controls.Counter->SetValue(StudyStaffOf(Game, activity));
    }
    Ability->setText(FromCp1252(s.Ability));
    ToolProgress->setText(FromCp1252(s.ToolProgress));
    ToolCurrent->setText(FromCp1252(s.ToolCurrent));
    Of(TStudyActivity::AntiPiracy).Efficiency->setText(FromCp1252(s.AntiPiracyEfficiency));
    Of(TStudyActivity::Porting).Efficiency->setText(FromCp1252(s.PortingEfficiency));
}
