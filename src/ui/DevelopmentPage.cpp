#include "ui/DevelopmentPage.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "company/Space.h"
#include "company/Staff.h"
#include "game/Actions.h"
#include "game/Game.h"
#include "ui/BlinkLabel.h"
#include "ui/Counter.h"
#include "ui/Cp1252.h"
#include "ui/LinkButton.h"

TDevelopmentPage::TDevelopmentPage(TGame& game, TPerform perform, QWidget* parent)
    : TGamePage(QStringLiteral("Development"), game, std::move(perform), parent) {
    auto* layout = new QVBoxLayout(Body());
    layout->setContentsMargins(16, 12, 16, 0);
    layout->setSpacing(10);

    // Room for the project: platform, genre, technology, options and progress.
    Project = MakeCard(Body());
    auto* projectLayout = new QVBoxLayout(Project);
    projectLayout->setContentsMargins(14, 10, 14, 10);
    projectLayout->addWidget(MakeHeading(tr("Project"), Project));
    auto* empty = MakeCaption(tr("No game is being developed."), Project);
    empty->setAlignment(Qt::AlignCenter);
    projectLayout->addWidget(empty, 1);
    Project->setEnabled(false);
    layout->addWidget(Project, 1);

    auto* box = MakeCard(Body());
    auto* boxLayout = new QVBoxLayout(box);
    boxLayout->setContentsMargins(14, 10, 14, 12);
    boxLayout->setSpacing(6);
    boxLayout->addWidget(MakeHeading(QStringLiteral("Hire Assistants"), box));

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(6);
    const struct {
        const char* Caption;
        const char* Hint;
    } kinds[3] = {
        {"Programmers:", "Programmers write the engine of your game"},
        {"Musicians:", "Musicians make the music and the sound effects"},
        {"graphic designers:", "Graphic designers draw everything the player sees"},
    };
    for (int k = 0; k < 3; ++k) {
        auto* caption = MakeCaption(QString::fromLatin1(kinds[k].Caption), box);
        auto* counter = new TCounter(0, 100, box);
        const QString hint =
            tr(kinds[k].Hint) + tr(". Every assistant needs office space, and the project leader's rating "
                                   "limits how big a team can grow.");
        SetHint(caption, hint);
        counter->SetHint(hint);
        grid->addWidget(caption, k, 0);
        grid->addWidget(counter, k, 1);
        Counters[static_cast<size_t>(k)] = counter;
        const auto kind = static_cast<TAssistantKind>(k);
        connect(counter, &TCounter::StepRequested, this, [this, kind](int step) {
            Act(TSetAssistants{.Kind = kind, .Count = AssistantCount(Game, kind) + step});
        });
    }

    auto* spaceCaption = MakeCaption(QStringLiteral("Office Space Available :"), box);
    Space = new TBlinkLabel(box);
    Space->setProperty("value", true);
    const QString spaceHint = tr("Room for more employees. Rent more offices on the Invest panel.");
    SetHint(spaceCaption, spaceHint);
    SetHint(Space, spaceHint);
    grid->addWidget(spaceCaption, 0, 2, Qt::AlignRight);
    grid->addWidget(Space, 0, 3);
    Wage = MakeValue(box);
    Wage->setProperty("value", false);
    SetHint(Wage, tr("What each assistant costs a month"));
    grid->addWidget(Wage, 1, 2, 1, 2, Qt::AlignRight);
    grid->setColumnStretch(2, 1);
    grid->setColumnMinimumWidth(3, 40);
    boxLayout->addLayout(grid);

    Error = new QLabel(box);
    Error->setObjectName(QStringLiteral("ErrorLine"));
    Error->setWordWrap(true);
    boxLayout->addWidget(Error);
    layout->addWidget(box);
}

void TDevelopmentPage::Render() {
    const auto& c = Game.State.Company;
    const int32_t counts[3] = {c.AssistProgrammers, c.AssistMusicians, c.AssistArtists};
    for (size_t k = 0; k < Counters.size(); ++k)
        Counters[k]->SetValue(counts[k]);
    const int free = FreeSpace(Game);
    Space->setText(QString::number(free));
    Space->SetBlinking(SpaceBlinks(free));
    Error->setText(FromCp1252(Game.Views.InlineRefusal));
    Wage->setText(FromCp1252(MonthlyWageText(Game)));
}
