#include "ui/dialogs/RentDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TRentDialog::TRentDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Rent"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(22, 16, 22, 14);
    layout->setSpacing(10);
    auto* title = new QLabel(QStringLiteral("Rent office"), this);
    title->setObjectName(QStringLiteral("DialogQuestion"));
    layout->addWidget(title);
    Text = new QLabel(this);
    Text->setTextFormat(Qt::PlainText);
    Text->setWordWrap(false);
    layout->addWidget(Text);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    Yes = new QPushButton(QStringLiteral("Yes."), this);
    No = new QPushButton(QStringLiteral("No."), this);
    for (QPushButton* button : {Yes, No}) {
        button->setProperty("action", true);
        button->setMinimumWidth(80);
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    layout->addLayout(buttons);
    connect(Yes, &QPushButton::clicked, this, &QDialog::accept);
    connect(No, &QPushButton::clicked, this, &QDialog::reject);
}

void TRentDialog::SetQuestion(const QString& text) {
    Text->setText(text);
    Yes->setDefault(true);
    Yes->setFocus();
    adjustSize();
}

QString TRentDialog::Question() const {
    return Text->text();
}
