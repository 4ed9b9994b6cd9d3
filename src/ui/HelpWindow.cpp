#include "ui/HelpWindow.h"

#include <QLabel>
#include <QVBoxLayout>

THelpWindow::THelpWindow(QWidget* parent)
    : QFrame(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Help Window"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_StyledBackground);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* caption = new QLabel(QStringLiteral("Help Window"), this);
    caption->setObjectName(QStringLiteral("HelpCaption"));
    Text = new QLabel(this);
    Text->setObjectName(QStringLiteral("HelpText"));
    Text->setWordWrap(true);
    Text->setTextFormat(Qt::PlainText);
    layout->addWidget(caption);
    layout->addWidget(Text);
    setFixedWidth(240);
}

void THelpWindow::SetHint(const QString& text) {
    if (Text->text() == text) return;
    Text->setText(text);
    adjustSize();
}

QString THelpWindow::Hint() const {
    return Text->text();
}
