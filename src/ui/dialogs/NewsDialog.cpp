#include "ui/dialogs/NewsDialog.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/widgets/Cp1252.h"
#include "ui/widgets/LinkButton.h"

namespace {
QLabel* Section(QGridLayout* grid, int row, int column, int span, const QString& heading, QWidget* parent,
                QLabel** headline = nullptr) {
    auto* card = new QFrame(parent);
    card->setObjectName(QStringLiteral("NewsCard"));
    card->setStyleSheet(QStringLiteral("QFrame#NewsCard { background: rgba(255, 255, 255, 10);"
                                       " border: 1px solid rgba(140, 175, 255, 70); border-radius: 6px; }"));
    auto* layout = new QVBoxLayout(card);
    layout->setContentsMargins(10, 8, 10, 10);
    auto* title = new QLabel(heading, card);
    title->setObjectName(QStringLiteral("NewsHeading"));
    layout->addWidget(title);
    if (headline) {
        *headline = new QLabel(card);
        (*headline)->setObjectName(QStringLiteral("NewsHeadline"));
        (*headline)->setWordWrap(true);
        (*headline)->setTextFormat(Qt::PlainText);
        layout->addWidget(*headline);
    }
    auto* text = new QLabel(card);
    text->setWordWrap(true);
    text->setTextFormat(Qt::PlainText);
    text->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    layout->addWidget(text, 1);
    grid->addWidget(card, row, column, 1, span);
    return text;
}
} // namespace

TNewsDialog::TNewsDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("NEWS"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 10);
    auto* grid = new QGridLayout;
    grid->setSpacing(10);
    World = Section(grid, 0, 0, 3, QStringLiteral("World News"), this, &Headline);
    Business = Section(grid, 1, 0, 1, QStringLiteral("Business news"), this);
    Software = Section(grid, 1, 1, 1, QStringLiteral("Software News"), this);
    Hardware = Section(grid, 1, 2, 1, QStringLiteral("Hardware News"), this);
    for (int c = 0; c < 3; ++c)
        grid->setColumnMinimumWidth(c, 200);
    layout->addLayout(grid, 1);
    auto* proceed = new TLinkButton(QStringLiteral("Continue"), tr("Back to your company"), this);
    connect(proceed, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(proceed, 0, Qt::AlignRight);
}

void TNewsDialog::SetTexts(const TNewsTexts& texts) {
    Headline->setText(FromCoreText(texts.WorldHeadline));
    World->setText(FromCoreText(texts.WorldNews));
    Business->setText(FromCoreText(texts.BusinessNews));
    Software->setText(FromCoreText(texts.GenreNews));
    Hardware->setText(FromCoreText(texts.HardwareNews));
    // Wrapped labels need their height worked out for the width the window will have.
    const int width = std::max(760, minimumSizeHint().width());
    layout()->activate();
    resize(width, std::max(layout()->totalHeightForWidth(width), 260));
}

QString TNewsDialog::AllText() const {
    return QStringList{Headline->text(), World->text(), Business->text(), Software->text(), Hardware->text()}
        .join(QLatin1Char('\n'));
}
