// The theme's disabled look: every kind of control the window uses looks different when it
// cannot be used, on its face and not only in the colour of its text.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

#include "ui/widgets/Counter.h"

namespace {

// The share of the picture's pixels whose colour differs noticeably between the two.
double ChangedShare(const QImage& a, const QImage& b) {
    if (a.size() != b.size() || a.isNull()) return 0.0;
    int changed = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QColor p = a.pixelColor(x, y);
            const QColor q = b.pixelColor(x, y);
            if (std::abs(p.red() - q.red()) + std::abs(p.green() - q.green()) +
                    std::abs(p.blue() - q.blue()) >
                24)
                ++changed;
        }
    return static_cast<double>(changed) / (a.width() * a.height());
}

struct TKind {
    const char* Name;
    // Makes the control inside the frame and returns the part whose face is compared.
    std::function<QWidget*(QWidget& frame)> Make;
};

TEST(ThemeTest, EveryKindOfControlHasAVisibleDisabledLook) {
    const TKind kinds[] = {
        {"name box",
         [](QWidget& frame) {
             auto* edit = new QLineEdit(QStringLiteral("New Game"), &frame);
             edit->setFixedSize(160, 26);
             return edit;
         }},
        {"drop-down",
         [](QWidget& frame) {
             auto* box = new QComboBox(&frame);
             box->addItems({QStringLiteral("Adventure"), QStringLiteral("Strategy")});
             box->setFixedSize(160, 26);
             return box;
         }},
        {"number box",
         [](QWidget& frame) {
             auto* spin = new QSpinBox(&frame);
             spin->setFixedSize(80, 26);
             return spin;
         }},
        {"action button",
         [](QWidget& frame) {
             auto* button = new QPushButton(QStringLiteral("Start Project"), &frame);
             button->setProperty("action", true);
             button->setFixedSize(120, 30);
             return button;
         }},
        {"tick box",
         [](QWidget& frame) {
             auto* box = new QCheckBox(&frame);
             box->setFixedSize(16, 16);
             return box;
         }},
        {"ticked box",
         [](QWidget& frame) {
             auto* box = new QCheckBox(&frame);
             box->setChecked(true);
             box->setFixedSize(16, 16);
             return box;
         }},
        {"radio button",
         [](QWidget& frame) {
             auto* radio = new QRadioButton(&frame);
             radio->setFixedSize(16, 16);
             return radio;
         }},
        {"counter arrow",
         [](QWidget& frame) {
             auto* counter = new TCounter(0, 10, &frame);
             return counter->UpButton();
         }},
        {"slider",
         [](QWidget& frame) {
             auto* slider = new QSlider(Qt::Horizontal, &frame);
             slider->setRange(0, 100);
             slider->setValue(50);
             slider->setFixedSize(40, 20);
             return slider;
         }},
        {"list",
         [](QWidget& frame) {
             auto* list = new QListWidget(&frame);
             list->addItem(QStringLiteral("Swing"));
             list->setFixedSize(120, 60);
             return list;
         }},
        {"grid",
         [](QWidget& frame) {
             auto* grid = new QTableWidget(2, 2, &frame);
             grid->setFixedSize(160, 80);
             return grid;
         }},
        {"text box",
         [](QWidget& frame) {
             auto* text = new QPlainTextEdit(QStringLiteral("Notes"), &frame);
             text->setFixedSize(120, 60);
             return text;
         }},
    };
    for (const TKind& kind : kinds) {
        SCOPED_TRACE(kind.Name);
        auto frame = std::make_unique<QWidget>();
        frame->setObjectName(QStringLiteral("ContentPanel"));
        auto* layout = new QVBoxLayout(frame.get());
        QWidget* face = kind.Make(*frame);
        layout->addWidget(face->parentWidget() == frame.get() ? face : face->parentWidget());
        frame->show();
        const QImage live = face->grab().toImage();
        frame->setEnabled(false);
        const QImage dead = face->grab().toImage();
        // A control that only greys its text changes a few pixels; a disabled face, most.
        EXPECT_GE(ChangedShare(live, dead), 0.3);
    }
}

} // namespace
