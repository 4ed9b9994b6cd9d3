#pragma once
// The small "Help Window" that follows the mouse and explains the control under it.
#include <QFrame>

class QLabel;

class THelpWindow : public QFrame {
    Q_OBJECT
public:
    explicit THelpWindow(QWidget* parent = nullptr);
    void SetHint(const QString& text);
    QString Hint() const;

private:
    QLabel* Text;
};
