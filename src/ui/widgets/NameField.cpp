#include "ui/widgets/NameField.h"

#include <QLabel>
#include <QLineEdit>
#include <algorithm>
#include <utility>

#include "ui/widgets/Cp1252.h"

TNameValidator::TNameValidator(const QString& what, TNameCheck check, QObject* parent)
    : QValidator(parent), What(what), Check(std::move(check)) {}

QString TNameValidator::Problem(const QString& name) const {
    const QString missing = WithoutCp1252Form(name);
    if (!missing.isEmpty()) {
        const QString first = missing.left(missing.front().isHighSurrogate() ? 2 : 1);
        // The code tells apart look-alikes such as the Cyrillic "а" and the Latin "a".
        const QString code =
            QStringLiteral("U+%1").arg(first.toUcs4().front(), 4, 16, QLatin1Char('0')).toUpper();
        return tr("%1 cannot contain \"%2\" (%3): only Western European letters and signs can be kept.")
            .arg(What, first, code);
    }
    return FromCp1252(Check(ToCp1252(name)));
}

QValidator::State TNameValidator::validate(QString& input, int& /*pos*/) const {
    const QString why = Problem(input);
    if (why.isEmpty()) return Acceptable;
    // The box asks again with the same text (focus, setText); telling once per edit is enough,
    // so the signal carries the message and the hint line simply shows the latest.
    emit const_cast<TNameValidator*>(this)->Refused(why);
    return Invalid;
}

QLabel* MakeNameHint(QWidget* parent) {
    auto* hint = new QLabel(parent);
    hint->setObjectName(QStringLiteral("ErrorLine"));
    hint->setWordWrap(true);
    hint->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    hint->hide();
    return hint;
}

void GuardName(QLineEdit* box, QLabel* hint, const QString& what, TNameCheck check) {
    auto* validator = new TNameValidator(what, std::move(check), box);
    box->setValidator(validator);
    QObject::connect(validator, &TNameValidator::Refused, hint, [hint, box](const QString& why) {
        hint->setText(why);
        // A wrapped line is as tall as its text at the box's width; the layout would otherwise
        // guess the height before the width is known.
        if (hint->maximumHeight() == QWIDGETSIZE_MAX)
            hint->setMinimumHeight(hint->heightForWidth(std::max(hint->width(), box->width())));
        hint->show();
    });
    // The reason stays in view while the player goes on typing in the box.
    QObject::connect(box, &QLineEdit::editingFinished, hint, &QWidget::hide);
}
