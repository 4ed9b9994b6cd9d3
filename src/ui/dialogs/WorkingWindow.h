#pragma once
// Small windows that keep the player informed during long steps: "Working..." with one
// line of text, and the progress window of saving and loading.
#include <QDialog>

class QLabel;
class QProgressBar;

class TWorkingWindow : public QDialog {
    Q_OBJECT
public:
    explicit TWorkingWindow(QWidget* parent = nullptr);
    void ShowText(const QString& text);
    QString Text() const;

private:
    QLabel* Line;
};

class TProgressWindow : public QDialog {
    Q_OBJECT
public:
    explicit TProgressWindow(QWidget* parent = nullptr);
    void ShowProgress(const QString& text, int percent);
    QString Text() const;
    int Percent() const;

private:
    QLabel* Line;
    QProgressBar* Gauge;
};
