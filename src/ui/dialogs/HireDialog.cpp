#include "ui/dialogs/HireDialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/widgets/Cp1252.h"
#include "ui/widgets/LinkButton.h"
#include "views/NumberText.h"

TContractPicture::TContractPicture(QWidget* parent) : QWidget(parent) {
    setFixedSize(sizeHint());
}

void TContractPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    // The contract, slightly turned, with its lines of small print and a signature.
    p.save();
    p.translate(56, 72);
    p.rotate(-7);
    p.setPen(QPen(QColor(150, 140, 110), 1));
    p.setBrush(QColor(246, 240, 222));
    p.drawRect(QRectF(-40, -56, 80, 108));
    p.setBrush(QColor(224, 214, 186));
    QPainterPath corner;
    corner.moveTo(28, 52);
    corner.lineTo(40, 40);
    corner.lineTo(28, 40);
    corner.closeSubpath();
    p.drawPath(corner);
    p.setPen(QPen(QColor(60, 70, 110), 2));
    p.drawLine(QPointF(-30, -44), QPointF(20, -44));
    p.setPen(QPen(QColor(150, 150, 160), 1));
    for (int line = 0; line < 8; ++line) {
        const double y = -32 + line * 8;
        p.drawLine(QPointF(-30, y), QPointF(line % 3 == 2 ? 8 : 30, y));
    }
    QPainterPath signature;
    signature.moveTo(-28, 40);
    signature.cubicTo(-20, 26, -14, 48, -6, 36);
    signature.cubicTo(0, 28, 4, 44, 14, 34);
    p.setPen(QPen(QColor(30, 60, 170), 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawPath(signature);
    p.restore();

    // The pen lying across the page.
    p.save();
    p.translate(78, 104);
    p.rotate(-40);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 24, 36));
    p.drawRoundedRect(QRectF(-6, -36, 12, 52), 4, 4);
    p.setBrush(QColor(212, 175, 55));
    p.drawRect(QRectF(-6, -10, 12, 3));
    QPainterPath nib;
    nib.moveTo(-5, 16);
    nib.lineTo(5, 16);
    nib.lineTo(0, 30);
    nib.closeSubpath();
    p.drawPath(nib);
    p.restore();

    // The signing fee: a gold coin.
    const QPointF centre(28, 126);
    QRadialGradient gold(centre - QPointF(5, 5), 22);
    gold.setColorAt(0, QColor(255, 236, 150));
    gold.setColorAt(1, QColor(196, 140, 20));
    p.setPen(QPen(QColor(140, 96, 10), 1.5));
    p.setBrush(gold);
    p.drawEllipse(centre, 17, 17);
    QFont coin = font();
    coin.setBold(true);
    coin.setPointSize(13);
    p.setFont(coin);
    p.setPen(QColor(120, 80, 0));
    p.drawText(QRectF(centre.x() - 17, centre.y() - 17, 34, 34), Qt::AlignCenter, QStringLiteral("$"));
}

THireDialog::THireDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Hire"));
    setModal(true);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(20, 18, 20, 14);
    outer->setSpacing(12);

    QuestionLabel = new QLabel(QStringLiteral("Do you want to Fire your current Leader and hire :"), this);
    QuestionLabel->setObjectName(QStringLiteral("DialogQuestion"));
    outer->addWidget(QuestionLabel);

    auto* middle = new QHBoxLayout;
    middle->setSpacing(18);
    middle->addWidget(new TContractPicture(this), 0, Qt::AlignTop);
    auto* figures = new QGridLayout;
    figures->setHorizontalSpacing(12);
    figures->setVerticalSpacing(6);
    auto row = [&](int at, const QString& caption) {
        auto* label = new QLabel(caption, this);
        label->setProperty("caption", true);
        auto* value = new QLabel(this);
        value->setProperty("value", true);
        value->setTextFormat(Qt::PlainText);
        figures->addWidget(label, at, 0, Qt::AlignLeft | Qt::AlignTop);
        figures->addWidget(value, at, 1, Qt::AlignLeft | Qt::AlignTop);
        return value;
    };
    Name = row(0, QStringLiteral("Name: "));
    Rating = row(1, QStringLiteral("Rating:"));
    Wage = row(2, QStringLiteral("Montly Wage:"));
    Share = row(3, QStringLiteral("% of sale:"));
    Fee = row(4, QStringLiteral("Signing Fee:"));
    Fee->setObjectName(QStringLiteral("SigningFee"));
    Answer = row(5, QStringLiteral("Answer:"));
    Answer->setObjectName(QStringLiteral("CandidateAnswer"));
    Answer->setProperty("value", false);
    Answer->setWordWrap(true);
    Answer->setMinimumWidth(300);
    figures->setColumnStretch(1, 1);
    middle->addLayout(figures, 1);
    outer->addLayout(middle);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    Yes = new QPushButton(QStringLiteral("Yes, Hire new Leader"), this);
    No = new QPushButton(QStringLiteral("No, Keep current leader"), this);
    for (QPushButton* button : {Yes, No}) {
        button->setProperty("action", true);
        buttons->addWidget(button);
    }
    SetHint(Yes, tr("Pay the signing fee and hire this candidate"));
    SetHint(No, tr("Keep the manager you have"));
    No->setDefault(true);
    outer->addLayout(buttons);
    connect(Yes, &QPushButton::clicked, this, &QDialog::accept);
    connect(No, &QPushButton::clicked, this, &QDialog::reject);
}

void THireDialog::SetOffer(const THireOffer& offer) {
    Name->setText(FromCp1252(offer.Name));
    Rating->setText(QString::number(offer.Rating));
    Wage->setText(QString::fromStdString(MoneyText(offer.Wage)));
    Share->setText(QString::number(offer.Share));
    Fee->setText(QString::fromStdString(MoneyText(offer.Fee)));
    Answer->setText(QLatin1Char('"') + FromCoreText(offer.Comment) + QLatin1Char('"'));
    Yes->setEnabled(offer.HireEnabled);
    No->setEnabled(true);
    (offer.HireEnabled ? Yes : No)->setFocus();
    adjustSize();
}

QString THireDialog::Text() const {
    return QStringList{QuestionLabel->text(),
                       QStringLiteral("Name: ") + Name->text(),
                       QStringLiteral("Rating: ") + Rating->text(),
                       QStringLiteral("Montly Wage: ") + Wage->text(),
                       QStringLiteral("% of sale: ") + Share->text(),
                       QStringLiteral("Signing Fee: ") + Fee->text(),
                       QStringLiteral("Answer: ") + Answer->text()}
        .join(QLatin1Char('\n'));
}
