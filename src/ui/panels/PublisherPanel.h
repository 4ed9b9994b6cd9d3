#pragma once
// The "Publishers Deal" panel: the current deal ("Current Publisher Deal") with its three "Find"
// links, and below it the negotiation with a publisher that has been found.
#include <array>

#include "ui/panels/ContentPanel.h"

class QCheckBox;
class QLineEdit;
class QSpinBox;

class TPublisherPanel : public TContentPanel {
    Q_OBJECT
public:
    TPublisherPanel(const TGame& game, TPanelHost& host, QWidget* parent = nullptr);

    void Render() override;

    QLabel* PublisherLabel() const { return DealPublisher; }
    QLabel* LengthLabel() const { return DealLength; }
    QLabel* ShareLabel() const { return DealShare; }
    QLabel* ObjectiveWeeksLabel() const { return DealObjectiveWeeks; }
    QLabel* ObjectiveLabel() const { return DealObjective; }
    QCheckBox* ObjectiveBox() const { return DealReached; }
    QCheckBox* DealExtra(int extra) const { return DealExtras.at(static_cast<size_t>(extra - 1)); }
    // 0 small-time, 1 medium-size, 2 large-capacity.
    QPushButton* FindLink(int size) const { return Find.at(static_cast<size_t>(size)); }
    QWidget* NegotiationPanel() const { return Negotiation; }
    QLabel* OfferPublisherLabel() const { return OfferPublisher; }
    QLabel* OfferLengthLabel() const { return OfferLength; }
    QCheckBox* OfferExtra(int extra) const { return OfferExtras.at(static_cast<size_t>(extra - 1)); }
    QSpinBox* ShareField() const { return Share; }
    QLineEdit* FeeField() const { return Fee; }
    QSpinBox* ObjectiveField() const { return Objective; }
    QLabel* StatusLine() const { return Status; }
    QPushButton* OfferButton() const { return Offer; }
    QPushButton* SignButton() const { return Sign; }

private:
    // The player's terms start from the publisher's when a publisher has just been found.
    void FillTerms();

    QLabel* DealPublisher;
    QLabel* DealLength;
    QLabel* DealShare;
    QLabel* DealObjectiveWeeks;
    QLabel* DealObjective;
    QCheckBox* DealReached;
    std::array<QCheckBox*, 8> DealExtras{};
    std::array<QPushButton*, 3> Find{};
    QWidget* Negotiation;
    QLabel* OfferPublisher;
    QLabel* OfferLength;
    std::array<QCheckBox*, 8> OfferExtras{};
    QSpinBox* Share;
    QLineEdit* Fee;
    QSpinBox* Objective;
    QLabel* Status;
    QPushButton* Offer;
    QPushButton* Sign;
    bool WasNegotiating = false;
};
