#pragma once
// The building blocks the panels share, styled by the theme.
#include <QString>

class QFrame;
class QLabel;
class QPushButton;
class QWidget;

QLabel* MakeHeading(const QString& text, QWidget* parent);
QLabel* MakeCaption(const QString& text, QWidget* parent);
QLabel* MakeValue(QWidget* parent);
// A rounded box grouping related controls.
QFrame* MakeCard(QWidget* parent);
// Fills a page's body with an area that scrolls up and down, never sideways, and returns the
// widget to put the content on. The area asks for the width its content needs, so that the
// window keeps room for it instead of cutting off the right edge.
QWidget* MakeScrollingPage(QWidget* body);
QPushButton* MakeActionButton(const QString& text, const QString& hint, QWidget* parent);
