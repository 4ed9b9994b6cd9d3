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
//  - releases a finished game in the first week the release calendar offers;
//  - study and tools (players/BotStudy.cpp): while its cash exceeds its loan by more than
//    1000000 it keeps three tool makers, two studying, two on porting methods and one on
//    anti-piracy, as far as the office has room beyond the eight seats its project team needs;
//    in debt (or below 300000 in cash) they all go; in between it keeps whom it has. Tools,
//    study and anti-piracy work on the platform of the running project, porting methods on the
//    platform of its best game; a level that is full moves them to the next platform by
//    machines in use. More than 2000000 beyond its loan rents up to three extra offices;
//  - asks for one preview of each game as soon as 30 weeks or fewer are left;
//  - ports: when no project runs and fewer than one in four of its games were ports, it ports
//    its best game of the last three years (most income) to the platform with the most machines
//    in use that the title is not on, with "Beta Testing", "Game Extras" and advertising level
//    4 while the cash is above 600000.
class TGame;

// startProjects false: finishes and releases the running project but starts no new one (the
// simulator waits for a week in which saving is allowed).
void BotTakesTurn(TGame& game, bool startProjects = true);
