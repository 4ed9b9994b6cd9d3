#pragma once
// The Company Details panel's section of what the studio has learnt and built: five lists
// ("Platform Knowledge", "Genre Knowledge", "Piracy Efficiency", "Tools", "MultiPlatform").
// A widget of its own so that it can sit on the panel beside the games list and the charts.
#include <QWidget>
#include <array>

#include "views/CompanyKnowledge.h"

class QListWidget;
class TGameCore;

class TKnowledgeSection : public QWidget {
    Q_OBJECT
public:
    explicit TKnowledgeSection(QWidget* parent = nullptr);

    // Fills the five lists afresh (what the panel does when it opens).
    void Show(const TCompanyKnowledge& knowledge);
    QListWidget* List(int index) const { return Lists.at(static_cast<size_t>(index)); }

private:
    std::array<QListWidget*, KnowledgeListCount> Lists{};
};
