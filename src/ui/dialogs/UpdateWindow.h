#pragma once
// "Download Updates": one look for a newer game database and program at a time, with its
// status and description lines, the gauge and the LED bar, and a log that "View Log" shows.
// The check runs on a worker thread, so the window keeps answering; what the check reports
// reaches the window as queued calls.
#include <QDialog>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "online/UpdateCheck.h"

class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QToolButton;

// A row of lamps that light up from the left as a transfer goes on.
class TLedBar : public QWidget {
    Q_OBJECT
public:
    explicit TLedBar(QWidget* parent = nullptr);
    void SetMaximum(int64_t maximum);
    void SetValue(int64_t value);
    int64_t Maximum() const { return Max; }
    int64_t Value() const { return Position; }
    int LitCount() const;
    static constexpr int Lamps = 24;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int64_t Max = 0;
    int64_t Position = 0;
};

// The window's update picture: a click on it runs a check, as the button does.
class TUpdatePicture : public QWidget {
    Q_OBJECT
public:
    explicit TUpdatePicture(QWidget* parent = nullptr);
signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

class TUpdateWindow : public QDialog {
    Q_OBJECT
public:
    // The room the log takes when "View Log" shows it.
    static constexpr int LogHeight = 170;

    explicit TUpdateWindow(TUpdateRequest request, QWidget* parent = nullptr);
    ~TUpdateWindow() override;

    // "Check for updates now" (and the picture): one check, unless one is running.
    void StartCheck();
    // "Abort": the running check stops at its next step, keeping what it saved.
    void AbortCheck();
    bool Running() const { return Worker.joinable(); }
    // Waits until a running check is over and its reports have reached the window (tests).
    void WaitForCheck();

    // A check saved files and was not aborted since: closing the window asks for the restart.
    bool RestartRequested() const { return DownloadedFlag; }
    // Full names of the files saved by the checks of this window.
    const std::vector<std::string>& SavedFiles() const { return Saved; }

    QLabel* StatusLine() const { return Status; }
    QLabel* DescriptionLine() const { return Description; }
    QProgressBar* Gauge() const { return Bar; }
    TLedBar* Leds() const { return Lamps; }
    QPushButton* CheckButton() const { return Check; }
    QPushButton* AbortButton() const { return Abort; }
    QPushButton* ViewLogButton() const { return ViewLog; }
    QToolButton* RestoreButton() const { return Restore; }
    QPushButton* CloseButton() const { return Close; }
    QListWidget* Log() const { return LogList; }
    TUpdatePicture* Picture() const { return Globe; }

signals:
    void CheckFinished();

public slots:
    void reject() override;

private:
    void ShowLog();
    void HideLog();
    void GaugeStart(int64_t maximum);
    void GaugeProgress(int64_t position);
    void Finished();
    void StopWorker();

    TUpdateRequest Request;
    std::unique_ptr<TUpdateCheck> Current;
    std::thread Worker;
    bool DownloadedFlag = false;
    std::vector<std::string> Saved;
    int64_t GaugeMax = 0;
    // Touched by the worker only: the last gauge position sent to the window.
    int64_t LastSent = -1;

    QLabel* Status;
    QLabel* Description;
    QProgressBar* Bar;
    TLedBar* Lamps;
    QPushButton* Check;
    QPushButton* Abort;
    QPushButton* ViewLog;
    QToolButton* Restore;
    QPushButton* Close;
    QListWidget* LogList;
    TUpdatePicture* Globe;
};
