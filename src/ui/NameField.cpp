#include "ui/NameField.h"

#include <QLabel>
#include <QLineEdit>
#include <utility>

#include "ui/Cp1252.h"

TNameValidator::TNameValidator(const QString& what, TNameCheck check, QObject* parent)
    : QValidator(parent), What(what), Check(std::move(check)) {}

QString TNameValidator::Problem(const QString& name) const {
    const QString missing = WithoutCp1252Form(name);
    if (!missing.isEmpty()) {
        const QString first = missing.left(missing.front().isHighSurrogate() ? 2 : 1);
        return tr("%1 cannot contain \"%2\": the game keeps only the letters and signs of Western "
                  "European languages.")
            .arg(What, first);
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

QLabel* GuardName(QLineEdit* box, const QString& what, TNameCheck check) {
    auto* validator = new TNameValidator(what, std::move(check), box);
    box->setValidator(validator);
    auto* hint = new QLabel(box->parentWidget());
    hint->setObjectName(QStringLiteral("ErrorLine"));
    hint->setWordWrap(true);
    hint->hide();
    QObject::connect(validator, &TNameValidator::Refused, hint, [hint](const QString& why) {
        hint->setText(why);
        hint->show();
    });
    // The reason stays in view while the player goes on typing in the box.
    QObject::connect(box, &QLineEdit::editingFinished, hint, &QWidget::hide);
    return hint;
}
