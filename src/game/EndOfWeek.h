#pragma once
class TGame;

// Advances the whole world by one week, in one fixed order of steps; later steps read what
// earlier steps of the same week wrote. An error in a step ends the week with a message
// and keeps what the steps before it did.
void EndOfWeek(TGame& game);
