#pragma once
// The "Hire" dialog: the candidate's figures, the signing fee he asks and his answer to the
// studio's offer. "Yes, Hire new Leader" is disabled when he declines.
#include <QDialog>

#include "company/Managers.h"

class QLabel;
class QPushButton;

// A contract with a pen and a coin, drawn for the dialog.
class TContractPicture : public QWidget {
    Q_OBJECT
public:
    explicit TContractPicture(QWidget* parent = nullptr);
    QSize sizeHint() const override { return {118, 150}; }

protected:
    void paintEvent(QPaintEvent* event) override;
};

class THireDialog : public QDialog {
    Q_OBJECT
public:
    explicit THireDialog(QWidget* parent = nullptr);

    void SetOffer(const THireOffer& offer);
    // Everything the dialog says, one line per label, as the modal host records it.
    QString Text() const;

    QLabel* Question() const { return QuestionLabel; }
    QLabel* NameValue() const { return Name; }
    QLabel* RatingValue() const { return Rating; }
    QLabel* WageValue() const { return Wage; }
    QLabel* ShareValue() const { return Share; }
    QLabel* FeeValue() const { return Fee; }
    QLabel* AnswerValue() const { return Answer; }
    QPushButton* HireButton() const { return Yes; }
    QPushButton* KeepButton() const { return No; }

private:
    QLabel* QuestionLabel;
    QLabel* Name;
    QLabel* Rating;
    QLabel* Wage;
    QLabel* Share;
    QLabel* Fee;
    QLabel* Answer;
    QPushButton* Yes;
    QPushButton* No;
};
