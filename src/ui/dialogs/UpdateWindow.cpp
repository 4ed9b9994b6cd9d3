#include "ui/dialogs/UpdateWindow.h"

#include <QApplication>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QPushButton>
#include <QStringDecoder>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>

#include "ui/widgets/Cp1252.h"
#include "ui/widgets/LinkButton.h"

namespace {

// Statuses carry file names in the system's encoding; descriptions come from the server in
// the game's code page.
QString FromFileText(const std::string& text) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString decoded = utf8(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
    return utf8.hasError() ? FromCp1252(text) : decoded;
}

// QProgressBar counts in int; very large files are shown in kilobytes.
int GaugeUnits(int64_t bytes, int64_t maximum) {
    return static_cast<int>(maximum > INT_MAX ? bytes / 1024 : bytes);
}

} // namespace

TLedBar::TLedBar(QWidget* parent) : QWidget(parent) {
    setFixedHeight(14);
    setMinimumWidth(Lamps * 8);
}

void TLedBar::SetMaximum(int64_t maximum) {
    Max = std::max<int64_t>(maximum, 0);
    Position = 0;
    update();
}

void TLedBar::SetValue(int64_t value) {
    Position = std::clamp<int64_t>(value, 0, Max);
    update();
}

int TLedBar::LitCount() const {
    if (Max <= 0) return 0;
    return static_cast<int>(Position * Lamps / Max);
}

void TLedBar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal step = static_cast<qreal>(width()) / Lamps;
    const int lit = LitCount();
    for (int i = 0; i < Lamps; ++i) {
        const QRectF lamp(i * step + 1.5, 2, step - 3, height() - 4);
        p.setPen(QColor(20, 30, 50));
        p.setBrush(i < lit ? QColor(90, 230, 120) : QColor(28, 60, 40));
        p.drawRoundedRect(lamp, 2, 2);
    }
}

TUpdatePicture::TUpdatePicture(QWidget* parent) : QWidget(parent) {
    setFixedSize(64, 64);
    setCursor(Qt::PointingHandCursor);
}

void TUpdatePicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF globe(6, 6, 52, 52);
    QRadialGradient sea(globe.center() - QPointF(8, 8), 34);
    sea.setColorAt(0, QColor(120, 190, 255));
    sea.setColorAt(1, QColor(30, 70, 160));
    p.setPen(QPen(QColor(170, 210, 255), 1.5));
    p.setBrush(sea);
    p.drawEllipse(globe);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(200, 230, 255, 140), 1));
    p.drawEllipse(QRectF(globe.center().x() - 11, globe.top(), 22, globe.height()));
    p.drawLine(QPointF(globe.left(), globe.center().y()), QPointF(globe.right(), globe.center().y()));
    // The arrow coming down to this computer.
    QPainterPath arrow;
    arrow.moveTo(27, 14);
    arrow.lineTo(37, 14);
    arrow.lineTo(37, 32);
    arrow.lineTo(45, 32);
    arrow.lineTo(32, 48);
    arrow.lineTo(19, 32);
    arrow.lineTo(27, 32);
    arrow.closeSubpath();
    p.setPen(QPen(QColor(60, 40, 0), 1.2));
    p.setBrush(QColor(255, 209, 102));
    p.drawPath(arrow);
}

void TUpdatePicture::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
}

TUpdateWindow::TUpdateWindow(TUpdateRequest request, QWidget* parent)
    : QDialog(parent), Request(std::move(request)) {
    setWindowTitle(QStringLiteral("Download Updates"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 12);
    layout->setSpacing(8);

    auto* top = new QHBoxLayout;
    Globe = new TUpdatePicture(this);
    SetHint(Globe, tr("Look for updates now"));
    top->addWidget(Globe, 0, Qt::AlignTop);
    auto* lines = new QVBoxLayout;
    Status = new QLabel(QStringLiteral("Ready"), this);
    Status->setObjectName(QStringLiteral("UpdateStatus"));
    Status->setProperty("value", true);
    Description = new QLabel(this);
    Description->setProperty("caption", true);
    for (QLabel* line : {Status, Description}) {
        line->setTextFormat(Qt::PlainText);
        line->setMinimumWidth(380);
        lines->addWidget(line);
    }
    lines->addStretch(1);
    top->addLayout(lines, 1);
    layout->addLayout(top);

    Bar = new QProgressBar(this);
    Bar->setRange(0, 1);
    Bar->setValue(0);
    Bar->setTextVisible(false);
    Bar->setFixedHeight(12);
    layout->addWidget(Bar);
    Lamps = new TLedBar(this);
    layout->addWidget(Lamps);

    auto* buttons = new QHBoxLayout;
    Check = new QPushButton(QStringLiteral("Check for updates now"), this);
    Abort = new QPushButton(QStringLiteral("Abort"), this);
    ViewLog = new QPushButton(QStringLiteral("View Log"), this);
    Restore = new QToolButton(this);
    Restore->setArrowType(Qt::UpArrow);
    Close = new QPushButton(QStringLiteral("Close"), this);
    SetHint(Check, tr("Ask the update server for a newer game database and program"));
    SetHint(Abort, tr("Stop looking; what was downloaded so far stays"));
    SetHint(ViewLog, tr("Show every step of the checks"));
    SetHint(Restore, tr("Hide the log"));
    SetHint(Close, tr("Close this window; the game restarts when something new was downloaded"));
    Abort->setEnabled(false);
    Restore->setEnabled(false);
    buttons->addWidget(Check);
    buttons->addWidget(Abort);
    buttons->addStretch(1);
    buttons->addWidget(ViewLog);
    buttons->addWidget(Restore);
    buttons->addWidget(Close);
    layout->addLayout(buttons);

    LogList = new QListWidget(this);
    LogList->setObjectName(QStringLiteral("UpdateLog"));
    LogList->setFixedHeight(LogHeight - layout->spacing());
    LogList->hide();
    layout->addWidget(LogList);

    connect(Check, &QPushButton::clicked, this, &TUpdateWindow::StartCheck);
    connect(Globe, &TUpdatePicture::clicked, this, &TUpdateWindow::StartCheck);
    connect(Abort, &QPushButton::clicked, this, &TUpdateWindow::AbortCheck);
    connect(ViewLog, &QPushButton::clicked, this, &TUpdateWindow::ShowLog);
    connect(Restore, &QToolButton::clicked, this, &TUpdateWindow::HideLog);
    connect(Close, &QPushButton::clicked, this, &TUpdateWindow::reject);

    layout->setSizeConstraint(QLayout::SetNoConstraint);
    adjustSize();
    setFixedSize(sizeHint().width(), sizeHint().height());
}

TUpdateWindow::~TUpdateWindow() {
    StopWorker();
}

void TUpdateWindow::StopWorker() {
    if (!Worker.joinable()) return;
    Current->Abort();
    Worker.join();
}

void TUpdateWindow::ShowLog() {
    if (LogList->isVisible()) return;
    LogList->show();
    setFixedSize(width(), height() + LogHeight);
    ViewLog->setEnabled(false);
    Restore->setEnabled(true);
}

void TUpdateWindow::HideLog() {
    if (!LogList->isVisible()) return;
    LogList->hide();
    setFixedSize(width(), height() - LogHeight);
    ViewLog->setEnabled(true);
    Restore->setEnabled(false);
}

void TUpdateWindow::StartCheck() {
    if (Running()) return;
    try {
        Current = std::make_unique<TUpdateCheck>(Request);
    } catch (const std::exception& error) {
        Status->setText(QStringLiteral("Connection failed"));
        LogList->insertItem(0, FromFileText(TUpdateCheck::LogTime() + " : " + error.what()));
        return;
    }
    TUpdateCheck& check = *Current;
    // Every report is handed to the window's thread; the window outlives the worker.
    auto post = [this](auto call) { QMetaObject::invokeMethod(this, std::move(call), Qt::QueuedConnection); };
    check.OnStatus = [this, post](const std::string& text) {
        post([this, text = FromFileText(text)] { Status->setText(text); });
    };
    check.OnDescription = [this, post](const std::string& text) {
        post([this, text = FromCp1252(text)] { Description->setText(text); });
    };
    check.OnLog = [this, post](const std::string& line) {
        post([this, line = FromFileText(line)] { LogList->insertItem(0, line); });
    };
    check.OnGaugeStart = [this, post](int64_t maximum) {
        LastSent = 0;
        GaugeMax = maximum;
        post([this, maximum] { GaugeStart(maximum); });
    };
    check.OnGaugeProgress = [this, post](int64_t position) {
        // About two hundred steps per file are plenty for the eye.
        const int64_t step = GaugeMax > 0 ? std::max<int64_t>(GaugeMax / 200, 1) : 64 * 1024;
        if (position - LastSent < step && position != GaugeMax) return;
        LastSent = position;
        post([this, position] { GaugeProgress(position); });
    };
    Check->setEnabled(false);
    Abort->setEnabled(true);
    Worker = std::thread([this, post] {
        Current->Run();
        post([this] { Finished(); });
    });
}

void TUpdateWindow::AbortCheck() {
    if (Running()) Current->Abort();
}

void TUpdateWindow::GaugeStart(int64_t maximum) {
    Bar->setRange(0, std::max(GaugeUnits(maximum, maximum), 1));
    Bar->setValue(0);
    Lamps->SetMaximum(maximum);
}

void TUpdateWindow::GaugeProgress(int64_t position) {
    const int64_t maximum = Lamps->Maximum();
    Bar->setValue(std::min(GaugeUnits(position, maximum), Bar->maximum()));
    Lamps->SetValue(position);
}

void TUpdateWindow::Finished() {
    if (!Worker.joinable()) return;
    Worker.join();
    if (Current->Aborted())
        DownloadedFlag = false;
    else if (Current->Downloaded())
        DownloadedFlag = true;
    Saved.insert(Saved.end(), Current->SavedFiles().begin(), Current->SavedFiles().end());
    Check->setEnabled(true);
    Abort->setEnabled(false);
    emit CheckFinished();
}

void TUpdateWindow::WaitForCheck() {
    if (!Running()) return;
    QEventLoop loop;
    connect(this, &TUpdateWindow::CheckFinished, &loop, &QEventLoop::quit);
    loop.exec();
}

void TUpdateWindow::reject() {
    if (Running()) {
        // Closing stops the check; its reports still arrive before the window goes.
        Current->Abort();
        WaitForCheck();
    }
    QDialog::reject();
}
