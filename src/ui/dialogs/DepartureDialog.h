#pragma once
// The message shown when a manager leaves the company: the text, an "OK" button and a
// small scene of the manager walking out of the door with a briefcase.
#include <QDialog>
#include <QTimer>

class QLabel;

class TWalkAwayScene : public QWidget {
    Q_OBJECT
public:
    explicit TWalkAwayScene(QWidget* parent = nullptr);
    QSize sizeHint() const override { return {320, 110}; }
    int Frame() const { return Step; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QTimer Timer;
    int Step = 0;
};

class TDepartureDialog : public QDialog {
    Q_OBJECT
public:
    explicit TDepartureDialog(QWidget* parent = nullptr);
    void SetText(const QString& text);
    QString Text() const;

private:
    QLabel* Message;
};
