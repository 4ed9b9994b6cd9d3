#include "ui/NewsPanel.h"

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QVBoxLayout>

TNewsPanel::TNewsPanel(QWidget* parent) : TContentPanel(QStringLiteral("News"), parent) {
    auto* layout = new QVBoxLayout(Body());
    layout->setContentsMargins(10, 10, 10, 0);
    Box = new QPlainTextEdit(Body());
    Box->setReadOnly(true);
    Box->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    Box->setObjectName(QStringLiteral("NewsText"));
    Box->setStatusTip(tr("Everything that happened in the world this week"));
    layout->addWidget(Box);
}

void TNewsPanel::SetText(const QString& text) {
    Box->setPlainText(text);
}

QString TNewsPanel::Text() const {
    return Box->toPlainText();
}
