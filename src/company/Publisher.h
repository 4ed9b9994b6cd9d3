#pragma once
// Publisher deals: the starting deal of a new game, finding a publisher of one of three sizes,
// the negotiation over the terms, signing, and the deal's weekly bookkeeping.
#include <cstdint>
#include <string>

#include "state/Outcome.h"
#include "state/Records.h"

class TGameCore;

extern const char* const PublisherNames[30];
extern const char* const ExtraCaptions[8];
extern const char* const CurrentDealHelp;
extern const char* const NegotiationHelp;

void CreateStartingDeal(TGameCore& game);
// "Find new small-time / medium-size / large-capacity publisher" (size 0, 1, 2).
TOutcome FindPublisher(TGameCore& game, int size);
// The longest signing fee the panel's field takes ("2.147.483.647" and room to spare).
inline constexpr int OfferFeeLength = 20;
// "Offer Deal" with the player's terms: the share (1..33 %), the objective (a top 1..100 game)
// and the fee field's text (digits and full stops; the full stops are dropped).
TOutcome OfferDeal(TGameCore& game, int share, int objective, const std::string& feeText);
// "Sign", after a bid ended with "Deal possible".
TOutcome SignDeal(TGameCore& game);
void WeeklyPublisherStep(TGameCore& game);
void ShowPublisherLabel(TGameCore& game);
// A game's weekly income after the publisher's share (while the deal runs).
uint32_t SalesShareOf(const TGameCore& game, uint32_t income);
// Quality points a deal's extras add to a game when it is ready: the publisher's size class + 3
// for each of the extras 1..8 that is set, whether or not the deal still runs.
int ExtrasQualityBonus(const TPublisherDeal& deal);
// The score of a deal's terms as a publisher weighs them.
int64_t DealScore(const TPublisherDeal& terms);
