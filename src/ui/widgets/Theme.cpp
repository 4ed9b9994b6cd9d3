#include "ui/widgets/Theme.h"

#include <QApplication>
#include <QFont>
#include <QPalette>
#include <QStyleFactory>

namespace {
const char* StyleSheet = R"(
QWidget { color: #e8ecf6; }
QToolTip { color: #10131c; background: #fff6d8; border: 1px solid #c9a74a; }
QFrame#MenuColumn, QFrame#SidePanel, QFrame#StatusArea {
    background: rgba(10, 15, 32, 205);
    border: 1px solid rgba(120, 160, 255, 70);
    border-radius: 8px;
}
QLabel[heading="true"] {
    color: #ffcf5a; font-weight: bold; padding: 6px 4px 1px 4px;
    border-bottom: 1px solid rgba(255, 207, 90, 90);
}
QLabel[caption="true"] { color: #9fb0d8; }
QLabel[value="true"] { color: #ffffff; font-weight: bold; }
QLabel#CompanyName { color: #ffcf5a; font-size: 13pt; font-weight: bold; }
QPushButton[link="true"] {
    color: #8fd3ff; background: transparent; border: 1px solid transparent; border-radius: 4px;
    text-align: left; padding: 2px 8px;
}
QPushButton[link="true"]:hover { color: #ffd166; background: rgba(255, 255, 255, 22); }
QPushButton[link="true"]:pressed { color: #ffffff; background: rgba(255, 209, 102, 60); }
QPushButton[link="true"]:focus { border: 1px solid #ffcf5a; outline: none; }
QPushButton#EndOfWeek {
    color: #1a1200; font-weight: bold; font-size: 11pt; text-align: center;
    border: 1px solid #ffdf8a; border-radius: 6px; padding: 7px 8px;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffd878, stop:1 #e0a21c);
}
QPushButton#EndOfWeek:hover {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffe7a6, stop:1 #f0b52e);
}
QPushButton#EndOfWeek:focus { border: 2px solid #ffffff; padding: 6px 7px; }
QPushButton#SideToggle {
    color: #cfd8ee; background: rgba(255, 255, 255, 20); border: 1px solid rgba(160, 180, 230, 80);
    border-radius: 3px; padding: 0px; min-width: 16px; max-width: 16px; min-height: 16px; max-height: 16px;
    font-size: 8pt;
}
QPushButton#SideToggle:hover { background: rgba(255, 209, 102, 80); }
QFrame#ContentPanel {
    background: rgba(14, 20, 40, 238);
    border: 1px solid rgba(140, 175, 255, 110);
    border-radius: 8px;
}
QFrame#PanelTitleBar {
    background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #2b4a8c, stop:1 #1a2748);
    border-top-left-radius: 8px; border-top-right-radius: 8px;
    border-bottom: 1px solid rgba(140, 175, 255, 110);
}
QLabel#PanelTitle { color: #ffffff; font-weight: bold; font-size: 11pt; padding: 4px; }
QPushButton#PanelX {
    color: #ffffff; background: rgba(255, 255, 255, 26); border: 1px solid rgba(255, 255, 255, 70);
    border-radius: 4px; font-weight: bold; min-width: 22px; max-width: 22px; min-height: 20px;
}
QPushButton#PanelX:hover { background: #c0392b; }
QPushButton#PanelX:focus { border: 1px solid #ffcf5a; }
TBlinkLabel[blink="alert"] { color: #ff6b6b; }
TBlinkLabel[blink="dim"] { color: rgba(255, 107, 107, 45); }
QTextEdit#NewsFeed {
    background: #f6f1e3; color: #000000; border: 1px solid #b8a978; border-radius: 4px;
}
QPlainTextEdit, QTextEdit { background: #0b1020; border: 1px solid #34456e; border-radius: 4px; }
QStatusBar { background: rgba(6, 9, 20, 230); color: #c6d0ea; }
QStatusBar::item { border: none; }
QCheckBox { color: #cfd8ee; }
QCheckBox::indicator {
    width: 13px; height: 13px; border: 1px solid #7f93c6; border-radius: 3px; background: #0b1020;
}
QCheckBox::indicator:checked { background: #ffcf5a; border: 1px solid #ffdf8a; }
QDialog { background: #131a30; }
QLabel#HelpCaption {
    color: #1a1200; font-weight: bold; padding: 2px 6px;
    background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #ffd878, stop:1 #e0a21c);
}
QFrame#HelpWindow { background: #fffbea; border: 1px solid #c9a74a; }
QLabel#HelpText { color: #141a2a; }
QLabel#NewsHeading { color: #ffcf5a; font-weight: bold; font-size: 11pt; }
QLabel#NewsHeadline { color: #ffffff; font-weight: bold; }
QLabel#GameIsOver { color: #ff6b6b; font-size: 20pt; font-weight: bold; }
QLabel#ScoreValue { color: #ffcf5a; font-size: 18pt; font-weight: bold; }
QTableWidget { background: #0b1020; gridline-color: #2a3658; border: 1px solid #34456e; }
QHeaderView::section { background: #1f2c50; color: #e8ecf6; border: none; padding: 3px; }
QLineEdit { background: #0b1020; border: 1px solid #4a5f94; border-radius: 4px; padding: 4px; color: #ffffff; }
QLineEdit:focus { border: 1px solid #ffcf5a; }
QLineEdit:disabled { color: #9fa9c6; border: 1px solid #2c3858; }
QProgressBar {
    background: #0b1020; border: 1px solid #4a5f94; border-radius: 4px; text-align: center; color: #ffffff;
}
QProgressBar::chunk { background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #3f7de0, stop:1 #8fd3ff); }
QFrame#Card {
    background: rgba(255, 255, 255, 9); border: 1px solid rgba(140, 175, 255, 60); border-radius: 6px;
}
QScrollArea#PageScroll, QWidget#PageScrollContent { background: transparent; border: none; }
QPushButton[action="true"] {
    color: #e8ecf6; border: 1px solid #4a5f94; border-radius: 5px; padding: 5px 14px;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #2f4680, stop:1 #1d2b52);
}
QPushButton[action="true"]:hover {
    border: 1px solid #ffcf5a;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #3b5698, stop:1 #24366a);
}
QPushButton[action="true"]:pressed, QPushButton[action="true"]:checked {
    color: #1a1200; border: 1px solid #ffdf8a;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffd878, stop:1 #e0a21c);
}
QPushButton[action="true"]:disabled { color: #6e7896; border: 1px solid #2c3858; background: #161e38; }
QPushButton[action="true"]:focus { border: 1px solid #ffffff; outline: none; }
QGroupBox {
    border: 1px solid rgba(140, 175, 255, 70); border-radius: 5px; margin-top: 10px; padding: 8px 8px 6px 8px;
}
QGroupBox::title { subcontrol-origin: margin; left: 10px; padding: 0 4px; color: #9fb0d8; }
QRadioButton { color: #e8ecf6; spacing: 6px; }
QRadioButton::indicator {
    width: 12px; height: 12px; border: 1px solid #7f93c6; border-radius: 7px; background: #0b1020;
}
QRadioButton::indicator:checked {
    border: 1px solid #ffcf5a;
    background: qradialgradient(cx:0.5, cy:0.5, radius:0.5, fx:0.5, fy:0.5,
                                stop:0 #ffcf5a, stop:0.5 #ffcf5a, stop:0.62 #0b1020, stop:1 #0b1020);
}
QRadioButton:checked { color: #ffcf5a; }
QCheckBox:disabled, QRadioButton:disabled { color: #6e7896; }
QCheckBox:focus, QRadioButton:focus { color: #ffd166; }
QCheckBox::indicator:focus, QRadioButton::indicator:focus { border: 1px solid #ffcf5a; }
QSlider::handle:horizontal:focus { border: 2px solid #ffffff; }
QLabel#DialogQuestion { color: #ffcf5a; font-weight: bold; font-size: 10pt; }
QLabel#CandidateAnswer { color: #fff0c0; font-style: italic; }
QLabel#SigningFee { color: #ffcf5a; }
QLabel#ErrorLine { color: #ff8a7a; font-weight: bold; }
QLineEdit#CounterField { padding: 2px 4px; font-weight: bold; }
QToolButton#CounterArrow {
    background: #24325a; border: 1px solid #4a5f94; border-radius: 2px; padding: 0px;
}
QToolButton#CounterArrow:hover { background: #3b5698; border: 1px solid #ffcf5a; }
QToolButton#CounterArrow:pressed { background: #e0a21c; }
QTableView {
    alternate-background-color: #121a33; selection-background-color: #e0a21c; selection-color: #140e00;
}
QTableView#ManagerGrid::item { padding: 0px 6px; }
QFrame#StartCard {
    background: rgba(10, 15, 32, 218); border: 1px solid rgba(140, 175, 255, 110); border-radius: 12px;
}
QLabel#StartTitle { color: #ffcf5a; font-size: 30pt; font-weight: bold; letter-spacing: 6px; }
QLabel#StartSubtitle { color: #8fd3ff; font-size: 11pt; font-style: italic; }
QFrame#StartRule { color: rgba(140, 175, 255, 70); }
QSlider::groove:horizontal { height: 4px; background: #34456e; border-radius: 2px; }
QSlider::sub-page:horizontal { background: #e0a21c; border-radius: 2px; }
QSlider::handle:horizontal {
    width: 14px; margin: -6px 0; border-radius: 7px; background: #ffcf5a; border: 1px solid #ffdf8a;
}
QSlider::handle:horizontal:hover { background: #ffe7a6; }
QTextBrowser { background: #f6f1e3; color: #141a2a; border: 1px solid #b8a978; border-radius: 4px; }
QPushButton[link="true"]:disabled { color: #56607e; }
QPushButton#EndOfWeek:disabled { color: #6e7896; border: 1px solid #2c3858; background: #161e38; }
QLineEdit:disabled, QPlainTextEdit:disabled, QTextEdit:disabled, QTableWidget:disabled {
    background: #1a2038; color: #6e7896; border: 1px solid #2c3858;
}
QComboBox:disabled, QSpinBox:disabled, QListWidget:disabled { color: #6e7896; }
QCheckBox::indicator:disabled, QRadioButton::indicator:disabled { background: #2a3048; border: 1px solid #3a4462; }
QCheckBox::indicator:checked:disabled { background: #7a6a42; border: 1px solid #8a7a52; }
QRadioButton::indicator:checked:disabled {
    border: 1px solid #8a7a52;
    background: qradialgradient(cx:0.5, cy:0.5, radius:0.5, fx:0.5, fy:0.5,
                                stop:0 #7a6a42, stop:0.5 #7a6a42, stop:0.62 #2a3048, stop:1 #2a3048);
}
QToolButton#CounterArrow:disabled { background: #161e38; border: 1px solid #2c3858; }
QSlider::groove:horizontal:disabled { background: #252c44; }
QSlider::sub-page:horizontal:disabled { background: #5a5036; }
QSlider::handle:horizontal:disabled { background: #6e7896; border: 1px solid #56607e; }
QGroupBox:disabled { border: 1px solid rgba(140, 175, 255, 30); }
QGroupBox::title:disabled { color: #56607e; }
)";
} // namespace

void ApplyTheme(QApplication& app) {
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(19, 26, 48));
    palette.setColor(QPalette::WindowText, QColor(232, 236, 246));
    palette.setColor(QPalette::Base, QColor(11, 16, 32));
    palette.setColor(QPalette::AlternateBase, QColor(24, 32, 58));
    palette.setColor(QPalette::Text, QColor(232, 236, 246));
    palette.setColor(QPalette::Button, QColor(36, 50, 88));
    palette.setColor(QPalette::ButtonText, QColor(232, 236, 246));
    palette.setColor(QPalette::Highlight, QColor(224, 162, 28));
    palette.setColor(QPalette::HighlightedText, QColor(20, 14, 0));
    palette.setColor(QPalette::ToolTipBase, QColor(255, 246, 216));
    palette.setColor(QPalette::ToolTipText, QColor(16, 19, 28));
    palette.setColor(QPalette::Link, QColor(143, 211, 255));
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(110, 120, 150));
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(110, 120, 150));
    palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(110, 120, 150));
    // A disabled drop-down, number box or list is drawn on a dull face, not only in grey text.
    palette.setColor(QPalette::Disabled, QPalette::Button, QColor(26, 32, 54));
    palette.setColor(QPalette::Disabled, QPalette::Base, QColor(26, 32, 56));
    palette.setColor(QPalette::Disabled, QPalette::Light, QColor(40, 46, 66));
    palette.setColor(QPalette::Disabled, QPalette::Highlight, QColor(90, 80, 54));
    app.setPalette(palette);
    QFont font;
    font.setFamilies(
        {QStringLiteral("Segoe UI"), QStringLiteral("Noto Sans"), QStringLiteral("DejaVu Sans")});
    font.setPointSize(9);
    font.setHintingPreference(QFont::PreferFullHinting);
    app.setFont(font);
    app.setStyleSheet(QString::fromLatin1(StyleSheet));
}
