#pragma once
// Office, space and equipment.

class TGame;

int OfficeSpace(const TGame& game);
void CopyOfficeChoices(TGame& game);
