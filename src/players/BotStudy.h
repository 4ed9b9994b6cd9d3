#pragma once
// The bot's studio work beside its games: study, tools, anti-piracy and porting methods, the
// previews of its games, and ports of its best game (the policy is told in Bot.h).
class TGame;

// Staff and platforms of the four activities, and extra offices to seat them.
void BotStudies(TGame& game);
// A preview of the running game once it is within reach of the magazines.
void BotAsksForPreview(TGame& game);
// With no project running: sets up and starts a port of the studio's best recent game when
// one is due. True when a port was started.
bool BotPortsBestGame(TGame& game);
