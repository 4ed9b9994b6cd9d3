#pragma once
// A simple, deterministic player for the headless simulator and the long-run tests. It plays
// many plain games on the machines it knows, and keeps its debt small. Before every week it:
//  - money: keeps a reserve of 250000 plus eight weeks of running costs. Below the reserve it
//    borrows 100000 at a time while the loan stays within 2500000; below 100000 in cash it
//    borrows whatever the bank still lends. It looks for an investor (and takes the offer) only
//    when the cash is below half the reserve and the loan is at that limit. Whatever is more
//    than 200000 beyond the reserve goes back to the bank, 100000 at a time;
//  - equipment: rents graphics, then computer, then tools equipment, one a week, while the cash
//    covers the reserve;
//  - managers: every thirteenth week, a lead programmer or lead designer rated at least 15
//    above the one it has, willing to come, whose fee is at most a tenth of its cash beyond its
//    loan; never a project leader;
//  - publisher deals: with ten weeks or fewer left, asks the biggest publisher that would talk
//    to it, offers the easiest objective with a smaller fee and a bigger share, else the
//    publisher's own terms, and signs when it can pay the fee and keep 300000 with the bank's
//    help;
//  - games: whenever no project runs (and no port is due), starts one on the platform worth
//    most: its machines in use (for a machine no longer made, those left a year on), times
//    (150 + platform knowledge + tools / 20) / 150; in the genre with the most popularity
//    times (40 + genre knowledge up to 80); with "Old-fashioned" technology, no "Beta Testing",
//    "Make a Demo", "MultiPlay" or "Game Extras", and advertising level 1; names it
//    "<word> <word>" from a fixed list with a number, never twice on a platform;
//  - team: while a project runs, the area with the most work of the genre gets as many
//    assistants as the project leader allows, the other two as many as finish with it (at
//    least one); it rents an extra office when seats are short and the cash covers the reserve
//    and 200000 more; with no project, one assistant of each kind;
//  - releases a finished game in the first week the release calendar offers;
//  - study and tools (players/BotStudy.cpp): while its cash exceeds its loan by more than
//    1000000 it keeps three tool makers, two studying, two on porting methods and one on
//    anti-piracy, as far as the office has room beyond the eight seats kept for a project
//    team; in debt (or below 300000 in cash) they all go; in between it keeps whom it has.
//    Tools, study and anti-piracy work on the platform of the running project, porting methods
//    on the platform of its best game; a level that is full moves them to the next platform by
//    machines in use. More than 2000000 beyond its loan rents up to three extra offices;
//  - asks for one preview of each game as soon as 30 weeks or fewer are left;
//  - ports: when no project runs and fewer than one in four of its games were ports, it ports
//    its best game of the last three years (most income), if that game's release score is 50
//    or more, to the platform with the most machines in use that it knows (platform knowledge
//    30 or more) and the title is not on, made like its new games.
class TGame;

// startProjects false: finishes and releases the running project but starts no new one (the
// simulator waits for a week in which saving is allowed).
void BotTakesTurn(TGame& game, bool startProjects = true);
