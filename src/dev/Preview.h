#pragma once
// Magazine previews of the project.

class TGame;

void MakePreview(TGame& game);
