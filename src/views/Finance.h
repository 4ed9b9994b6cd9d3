#pragma once
// The "Financial Info" view: this year's interest, expenses, income and bank balance, and a
// graph of one of the five week histories.
#include <array>
#include <string>
#include <vector>

#include "state/Records.h"
#include "views/GraphGrid.h"

class TGameCore;

struct TFinanceGraphKind {
    const char* Button;
    const char* Title;
    TRgb Colour;
    TWeekHistory TCompany::*History;
    int LowerLimit; // the graph's lowest value
};

// "Income", "Bankloan", "Cost Weekly", "Employees" and "Money", in the order of their buttons.
extern const std::array<TFinanceGraphKind, 5> FinanceGraphs;

struct TFinanceView {
    // Three columns; rows 0..6, the cells nobody fills stay empty.
    std::array<std::array<std::string, 3>, 7> Table;
    // The graph a button chose (an index into FinanceGraphs), -1 before the first.
    int Graph = -1;
    std::string GraphTitle = "Graph";
    // The history the graph shows, copied when its button was pressed.
    TWeekHistory GraphBuffer{};
    // The graph widget's properties; a button sets its ranges.
    TGridProperties Grid;
};

// A year the histories do not cover (before a game has started) has no weeks: its sums are 0
// and its graph is empty.

// Opening or refreshing the view: the table of this year's sums, and the graph chosen before
// (if any) copied again from its history, so that an open graph follows every week.
void OpenFinanceView(const TGameCore& game, TFinanceView& view);
// A graph button: copies its history, sets the title and the ranges.
void ShowFinanceGraph(const TGameCore& game, TFinanceView& view, int graph);
// The lines of the graph for the year: from each week to the next where the next week's
// value is above 0, each with a marker at the week it starts from.
std::vector<TSeriesSegment> FinanceSeries(const TWeekHistory& buffer, int year);
// What the pointer at value x of the graph reads, e.g. "Week 12: 104,000"; empty away from
// the weeks or before a graph has been chosen.
std::string FinancePointText(const TFinanceView& view, int year, double x);
