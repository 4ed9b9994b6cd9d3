#pragma once
// Magazine previews of the project.

class TGameCore;

void MakePreview(TGameCore& game);
