#pragma once
// A simple, deterministic player for the headless simulator and the long-run tests. Before
// every week it:
//  - money: borrows 250000 (or 50000) whenever the cash is below 300000 and the bank still
//    lends; looks for an investor while it has none and the cash is below 1000000, and takes
//    the offer; repays 250000 whenever the cash is above 2500000 and the loan allows it;
//  - games: whenever no project runs, starts one on the platform with the most machines in use
//    that it may use, in the genre the public wants most, with "Up-to-date" technology,
//    "Beta Testing" and "Game Extras", and advertising level 2 while the cash is above 1500000;
//    names it "<word> <word>" from a fixed list with a number, never twice on a platform;
//  - keeps a team while a project runs: two programmers, one musician and two graphic
//    designers (as the team limit and the office space allow), one programmer otherwise;
//  - releases a finished game in the first week the release calendar offers.
class TGame;

// startProjects false: finishes and releases the running project but starts no new one (the
// simulator waits for a week in which saving is allowed).
void BotTakesTurn(TGame& game, bool startProjects = true);
