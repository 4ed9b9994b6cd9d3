#pragma once
// "Rent office": the question asked when a room is rented or its contract terminated, with
// the answers "Yes." and "No.".
#include <QDialog>

class QLabel;
class QPushButton;

class TRentDialog : public QDialog {
    Q_OBJECT
public:
    explicit TRentDialog(QWidget* parent = nullptr);
    void SetQuestion(const QString& text);
    QString Question() const;
    QPushButton* YesButton() const { return Yes; }
    QPushButton* NoButton() const { return No; }

private:
    QLabel* Text;
    QPushButton* Yes;
    QPushButton* No;
};
