#include "ui/dialogs/WorkingWindow.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>
#include <algorithm>

namespace {
// Title bar only: these windows close themselves when the work is done.
constexpr Qt::WindowFlags Flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;

// Puts a window in the middle of its parent and paints it at once, since the work that
// follows keeps the event loop busy.
void Present(QDialog& window) {
    window.adjustSize();
    if (QWidget* parent = window.parentWidget())
        window.move(parent->geometry().center() - QPoint(window.width() / 2, window.height() / 2));
    if (!window.isVisible()) window.show();
    window.raise();
    window.repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
} // namespace

TWorkingWindow::TWorkingWindow(QWidget* parent) : QDialog(parent, Flags) {
    setWindowTitle(QStringLiteral("Working..."));
    setModal(false);
    // The player's keyboard stays with the main window.
    setAttribute(Qt::WA_ShowWithoutActivating);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(28, 18, 28, 18);
    Line = new QLabel(QStringLiteral("Working..."), this);
    Line->setAlignment(Qt::AlignCenter);
    Line->setMinimumWidth(220);
    layout->addWidget(Line);
}

void TWorkingWindow::ShowText(const QString& text) {
    Line->setText(text);
    Present(*this);
}

QString TWorkingWindow::Text() const {
    return Line->text();
}

TProgressWindow::TProgressWindow(QWidget* parent) : QDialog(parent, Flags) {
    setWindowTitle(QStringLiteral("Saving"));
    setModal(false);
    setAttribute(Qt::WA_ShowWithoutActivating);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(22, 16, 22, 16);
    Line = new QLabel(this);
    Gauge = new QProgressBar(this);
    Gauge->setRange(0, 100);
    Gauge->setMinimumWidth(280);
    layout->addWidget(Line);
    layout->addWidget(Gauge);
}

void TProgressWindow::ShowProgress(const QString& text, int percent) {
    Line->setText(text);
    Gauge->setValue(std::clamp(percent, 0, 100));
    Present(*this);
}

QString TProgressWindow::Text() const {
    return Line->text();
}

int TProgressWindow::Percent() const {
    return Gauge->value();
}
