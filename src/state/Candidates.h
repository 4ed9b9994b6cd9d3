#pragma once
// The three manager candidate lists of a game. Row 0 of a grid is its header; candidate i
// of a list sits in row i + 1, and the company record names the hired manager by that row
// (-1: none). Their ratings, shares and wages are drawn at the start of a game, and the
// rules read them every week (wages, shares of sales, team limits).
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

struct TManagerCandidates {
    std::array<std::vector<TManagerCandidate>, 3> Lists;

    std::vector<TManagerCandidate>& Of(TManagerKind kind) { return Lists[static_cast<size_t>(kind)]; }
    const std::vector<TManagerCandidate>& Of(TManagerKind kind) const {
        return Lists[static_cast<size_t>(kind)];
    }
    // The candidate in a grid row, or nullptr for the header, "none" or a row past the end.
    const TManagerCandidate* AtRow(TManagerKind kind, int row) const {
        const auto& list = Of(kind);
        if (row < 1 || row > static_cast<int>(list.size())) return nullptr;
        return &list[static_cast<size_t>(row - 1)];
    }
};
