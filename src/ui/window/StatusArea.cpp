#include "ui/window/StatusArea.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "ui/widgets/BlinkLabel.h"
#include "ui/widgets/Cp1252.h"
#include "ui/widgets/LinkButton.h"

namespace {
QLabel* Caption(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setProperty("caption", true);
    return label;
}

void Separate(QHBoxLayout* layout, QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::VLine);
    line->setStyleSheet(QStringLiteral("color: rgba(120, 160, 255, 70);"));
    layout->addWidget(line);
}
} // namespace

TStatusArea::TStatusArea(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("StatusArea"));
    setAttribute(Qt::WA_StyledBackground);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(12, 6, 12, 6);
    layout->setSpacing(14);

    auto* identity = new QVBoxLayout;
    Company = new QLabel(this);
    Company->setObjectName(QStringLiteral("CompanyName"));
    SetHint(Company, tr("Your company"));
    Week = new QLabel(this);
    Week->setProperty("value", true);
    SetHint(Week, tr("The current week and year. The game ends late in 1994."));
    identity->addWidget(Company);
    identity->addWidget(Week);
    layout->addLayout(identity);
    Separate(layout, this);

    auto* figures = new QGridLayout;
    figures->setHorizontalSpacing(8);
    figures->setVerticalSpacing(0);
    Money = new TBlinkLabel(this);
    Space = new TBlinkLabel(this);
    Employees = new QLabel(this);
    const struct {
        const char* Caption;
        QLabel* Value;
        QString Hint;
    } rows[] = {
        {"Money:", Money, tr("Cash in hand, in dollars. It blinks when it falls below 50000.")},
        {"Space available:", Space,
         tr("Room for more employees in your offices. It blinks when the office is full.")},
        {"Employees:", Employees, tr("Everybody on your payroll, managers included")},
    };
    int row = 0;
    for (const auto& r : rows) {
        auto* caption = Caption(QString::fromLatin1(r.Caption), this);
        r.Value->setProperty("value", true);
        SetHint(caption, r.Hint);
        SetHint(r.Value, r.Hint);
        figures->addWidget(caption, row, 0);
        figures->addWidget(r.Value, row, 1);
        ++row;
    }
    figures->setColumnMinimumWidth(1, 80);
    layout->addLayout(figures);
    Separate(layout, this);

    auto* managers = new QVBoxLayout;
    managers->setSpacing(0);
    auto* managersCaption = Caption(QStringLiteral("Departmental managers :"), this);
    const QString managersHint =
        tr("Your lead programmer, project leader and lead designer with their monthly wages");
    SetHint(managersCaption, managersHint);
    managers->addWidget(managersCaption);
    for (auto*& label : Managers) {
        label = new QLabel(this);
        label->setIndent(8);
        SetHint(label, managersHint);
        managers->addWidget(label);
    }
    layout->addLayout(managers);
    layout->addStretch(1);

    auto* options = new QVBoxLayout;
    auto* gameOptions =
        new TLinkButton(QStringLiteral("Game Options"), tr("Quit, save, music and background"), this);
    ShowHelp = new QCheckBox(QStringLiteral("Show Help Window"), this);
    ShowHelp->setChecked(true);
    SetHint(ShowHelp, tr("Show a small window with help next to the mouse pointer"));
    options->addWidget(gameOptions, 0, Qt::AlignRight);
    options->addWidget(ShowHelp, 0, Qt::AlignRight);
    layout->addLayout(options);

    connect(gameOptions, &QPushButton::clicked, this, &TStatusArea::GameOptionsRequested);
    connect(ShowHelp, &QCheckBox::toggled, this, &TStatusArea::ShowHelpChanged);
}

void TStatusArea::Show(const TStatusView& view) {
    Company->setText(FromCp1252(view.CompanyName));
    Week->setText(FromCp1252(view.WeekText));
    Money->setText(FromCp1252(view.MoneyText));
    Space->setText(QString::number(view.FreeSpace));
    Employees->setText(QString::number(view.Employees));
    for (int k = 0; k < 3; ++k)
        Managers[k]->setText(FromCp1252(view.Managers[k]));
    Money->SetBlinking(view.MoneyBlinks);
    Space->SetBlinking(view.SpaceBlinks);
}
