#include "ui/panels/NewsPanel.h"

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "game/Game.h"
#include "ui/widgets/Cp1252.h"

TNewsPanel::TNewsPanel(const TGame& game, TPanelHost& host, QWidget* parent)
    : TContentPanel(QStringLiteral("News"), game, host, parent) {
    auto* layout = new QVBoxLayout(Body());
    layout->setContentsMargins(10, 10, 10, 0);
    Box = new QPlainTextEdit(Body());
    Box->setReadOnly(true);
    Box->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    Box->setObjectName(QStringLiteral("NewsText"));
    Box->setStatusTip(tr("Everything that happened in the world this week"));
    layout->addWidget(Box);
}

void TNewsPanel::Render() {
    Box->setPlainText(FromCoreText(Game.Feed.PlainText()));
}

QString TNewsPanel::Text() const {
    return Box->toPlainText();
}
