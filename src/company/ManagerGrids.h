#pragma once
// The three manager candidate grids. Row 0 is the header; candidate i of a list sits in row
// i + 1, and the company record names the hired manager by that row (-1: none).
#include <array>
#include <string>
#include <vector>

enum class TManagerKind { LeadProgrammer = 0, ProjectLeader = 1, LeadDesigner = 2 };

struct TManagerCandidate {
    std::string Name;
    int Rating = 0;
    int Share = 0; // percent of sales
    int Wage = 0;  // monthly, dollars
};

struct TManagerGrids {
    std::array<std::vector<TManagerCandidate>, 3> Lists;

    // The candidate in a grid row, or nullptr for the header, "none" or a row past the end.
    const TManagerCandidate* AtRow(TManagerKind kind, int row) const {
        const auto& list = Lists[static_cast<size_t>(kind)];
        if (row < 1 || row > static_cast<int>(list.size())) return nullptr;
        return &list[static_cast<size_t>(row - 1)];
    }
};

class TGame;

// Fills one grid from its candidate lines ("name", tab, rating; 0 = a random rating). The
// first project leader and lead designer are the modest starters every studio begins with.
void FillCandidateGrid(TGame& game, TManagerKind kind, const std::vector<std::string>& lines);
