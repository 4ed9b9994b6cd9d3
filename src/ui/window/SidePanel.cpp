#include "ui/window/SidePanel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/widgets/BlinkLabel.h"
#include "ui/widgets/Cp1252.h"
#include "ui/widgets/GenreLights.h"
#include "ui/widgets/LinkButton.h"
#include "ui/widgets/NewsFeedView.h"

namespace {
const char* const LightsHintText =
    "The leds :\r\nThe Biggest Led closest to the Genre name shows How well the Genre is selling at the "
    "moment..\r\nLightGreen = Sales are booming.\r\nGreen = Sales are Good\r\nYellow = Sales are "
    "Fair\r\nRed = Sales are bad.\r\n \r\nThe smallest led furthest from the genre name shows how the genre "
    "sales trend are.\r\nGreen = Sales could increase.\r\nYellow = Sales are not doing better or "
    "worse.\r\nRed = Sales could very well decline.";

QLabel* Caption(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setProperty("caption", true);
    label->setWordWrap(true);
    return label;
}

QLabel* Value(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setProperty("value", true);
    label->setWordWrap(true);
    label->setIndent(8);
    return label;
}
} // namespace

TSidePanel::TSidePanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("SidePanel"));
    setAttribute(Qt::WA_StyledBackground);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(6, 6, 6, 6);
    outer->setSpacing(2);

    Toggles = new QBoxLayout(QBoxLayout::LeftToRight);
    Toggles->setSpacing(4);
    WideButton = new QPushButton(QStringLiteral("\u25C0"), this);
    NarrowButton = new QPushButton(QStringLiteral("\u25B6"), this);
    for (auto* button : {WideButton, NarrowButton}) {
        button->setObjectName(QStringLiteral("SideToggle"));
        button->setCursor(Qt::PointingHandCursor);
        button->setFocusPolicy(Qt::NoFocus);
        Toggles->addWidget(button, 0, Qt::AlignLeft | Qt::AlignTop);
    }
    SetHint(WideButton, tr("Widen this column"));
    SetHint(NarrowButton, tr("Narrow this column to make room"));
    Toggles->addStretch(1);
    outer->addLayout(Toggles);

    Content = new QWidget(this);
    auto* layout = new QVBoxLayout(Content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    outer->addWidget(Content, 1);

    auto link = [&](const QString& text, const QString& hint) {
        auto* button = new TLinkButton(text, hint, Content);
        layout->addWidget(button, 0, Qt::AlignLeft);
        return button;
    };
    auto panelLink = [&](const QString& text, const QString& panel, const QString& hint) {
        connect(link(text, hint), &QPushButton::clicked, this, [this, panel] { emit PanelRequested(panel); });
    };

    ProjectLink = link(QStringLiteral("Project"), tr("Your game project: open Development"));
    connect(ProjectLink, &QPushButton::clicked, this,
            [this] { emit PanelRequested(QStringLiteral("Development")); });
    ProjectCaption = new TBlinkLabel(Content);
    ProjectCaption->setProperty("value", true);
    ProjectCaption->setWordWrap(true);
    ProjectCaption->setIndent(8);
    SetHint(ProjectCaption, tr("How far your game project has come"));
    layout->addWidget(ProjectCaption);
    panelLink(QStringLiteral("Studying"), QStringLiteral("Study And Tools"),
              tr("What your staff are studying: open Study And Tools"));
    StudyCaption = Value(Content);
    SetHint(StudyCaption, tr("The platform your staff are studying"));
    layout->addWidget(StudyCaption);

    layout->addSpacing(6);
    auto* economyCaption = Caption(QStringLiteral("World Economic Situation:"), Content);
    layout->addWidget(economyCaption);
    Economy = Value(Content);
    Headline = Value(Content);
    Headline->setProperty("value", false);
    for (auto* label : {static_cast<QWidget*>(economyCaption), static_cast<QWidget*>(Economy),
                        static_cast<QWidget*>(Headline)})
        SetHint(label, tr("How the world economy is doing: a good economy sells more games"));
    layout->addWidget(Economy);
    layout->addWidget(Headline);
    connect(link(QStringLiteral("View World News"),
                 tr("Read the latest world, business, software and hardware news")),
            &QPushButton::clicked, this, &TSidePanel::WorldNewsRequested);

    layout->addSpacing(6);
    panelLink(QStringLiteral("Publisher"), QStringLiteral("Publishers Deal"),
              tr("Weeks left of your publisher contract: open Publishers Deal"));
    Publisher = Value(Content);
    SetHint(Publisher, tr("Weeks left of your publisher contract"));
    layout->addWidget(Publisher);

    layout->addSpacing(6);
    auto* lightsRow = new QHBoxLayout;
    lightsRow->setContentsMargins(0, 0, 0, 0);
    LightsView = new TGenreLights(Content);
    LightsHelp = new QPushButton(QStringLiteral("?"), Content);
    LightsHelp->setObjectName(QStringLiteral("SideToggle"));
    LightsHelp->setFocusPolicy(Qt::NoFocus);
    LightsHelp->setCursor(Qt::PointingHandCursor);
    SetHint(LightsView, LightsHint());
    SetHint(LightsHelp, LightsHint());
    connect(LightsHelp, &QPushButton::clicked, this, &TSidePanel::LightsHelpRequested);
    lightsRow->addWidget(LightsView, 1);
    lightsRow->addWidget(LightsHelp, 0, Qt::AlignTop);
    layout->addLayout(lightsRow);

    layout->addSpacing(6);
    layout->addWidget(Caption(QStringLiteral("Current Best overall platforms"), Content));
    for (auto*& label : Platforms) {
        label = Value(Content);
        label->setProperty("value", false);
        SetHint(label, tr("The platforms with the most machines in use"));
        layout->addWidget(label);
    }
    panelLink(QStringLiteral("View Market info"), QStringLiteral("Market Info"),
              tr("Platforms and genre demand in detail"));

    layout->addSpacing(6);
    FeedView = new TNewsFeedView(Content);
    layout->addWidget(FeedView, 1);

    connect(WideButton, &QPushButton::clicked, this, [this] { SetWide(true); });
    connect(NarrowButton, &QPushButton::clicked, this, [this] { SetWide(false); });
    setFixedWidth(WideWidth);
}

QString TSidePanel::LightsHint() {
    return FromCoreText(LightsHintText);
}

void TSidePanel::SetWide(bool wide) {
    if (wide == Wide) return;
    Wide = wide;
    setFixedWidth(wide ? WideWidth : NarrowWidth);
    Content->setVisible(wide);
    // Narrow, the two buttons stand one above the other.
    Toggles->setDirection(wide ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom);
    if (wide)
        emit Widened();
    else
        emit Narrowed();
}

void TSidePanel::SetProject(const QString& link, const QString& caption, bool blinking) {
    ProjectLink->setText(link);
    ProjectCaption->setText(caption);
    ProjectCaption->SetBlinking(blinking);
}

void TSidePanel::SetStudyCaption(const QString& text) {
    StudyCaption->setText(text);
}

void TSidePanel::SetEconomy(const QString& economy, const QString& headline) {
    Economy->setText(economy);
    Headline->setText(headline);
}

void TSidePanel::SetPublisher(const QString& text) {
    Publisher->setText(text);
}

void TSidePanel::SetBestPlatforms(const QStringList& names) {
    for (int i = 0; i < PlatformLabelCount; ++i)
        Platforms[i]->setText(i < names.size() ? names[i] : QString());
}
