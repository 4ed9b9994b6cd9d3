#pragma once
// What the information panels ("Financial Info", "Market Info", "Company Details") share: their
// style sheet, grids, graph cards and the line that reads a graph.
#include <QColor>
#include <QString>
#include <string>

#include "views/GraphGrid.h"

class QFrame;
class QLabel;
class QTableWidget;
class QTableWidgetItem;
class QWidget;

extern const char* const InfoStyleSheet;
// The ink of the graphs' paper.
extern const QColor InfoInk;

QColor ToQColor(TRgb c);
QString StyleOf(const QColor& colour);
void SetupInfoGrid(QTableWidget* grid);
QTableWidgetItem* InfoCell(const std::string& text, Qt::Alignment alignment, bool bold = false);
QFrame* MakeGraphCard(QWidget* parent);
// The line under a graph that reads the point under the mouse; it keeps its height whether
// it says something or not, so the graph does not move.
QLabel* MakeReadout(QWidget* parent, const QString& idle);
