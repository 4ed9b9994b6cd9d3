#pragma once
// A simple, deterministic player for the headless simulator and the long-run tests. Before
// every week it:
//  - keeps one assistant programmer (as the team limit and the office space allow);
//  - borrows 250000 (or 50000) whenever the cash is below 300000 and the bank still lends;
//  - looks for an investor while it has none and the cash is below 1000000, and takes the offer;
//  - repays 250000 whenever the cash is above 2500000 and the loan allows it.
class TGame;

void BotTakesTurn(TGame& game);
