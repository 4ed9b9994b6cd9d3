#include "ui/dialogs/WelcomeDialog.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/widgets/Cp1252.h"

QString TWelcomeDialog::Text() {
    return FromCoreText("Congratulations,\r\n \r\nThe year is 1984 and you have just started a new Software "
                        "Company.\r\nYou have Obtained a  publisher deal. You have 500.000 and your bank has "
                        "loaned you 1 million. This should \r\ngive your company an excellent start.");
}

TWelcomeDialog::TWelcomeDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Welcome"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(28, 24, 28, 18);
    layout->setSpacing(16);
    auto* text = new QLabel(Text(), this);
    text->setTextFormat(Qt::PlainText);
    text->setWordWrap(true);
    text->setMinimumWidth(520);
    layout->addWidget(text);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(ok, 0, Qt::AlignCenter);
}
