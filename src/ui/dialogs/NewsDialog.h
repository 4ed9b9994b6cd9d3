#pragma once
// The "NEWS" window: world, business, software and hardware news.
#include <QDialog>

#include "state/PlayerInterface.h"

class QLabel;

class TNewsDialog : public QDialog {
    Q_OBJECT
public:
    explicit TNewsDialog(QWidget* parent = nullptr);
    void SetTexts(const TNewsTexts& texts);
    // All sections as one text, for the record of shown dialogs.
    QString AllText() const;

private:
    QLabel* Headline;
    QLabel* World;
    QLabel* Business;
    QLabel* Software;
    QLabel* Hardware;
};
