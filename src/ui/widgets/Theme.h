#pragma once
// The game's look: a dark night-sky palette, light text and amber accents.
class QApplication;

void ApplyTheme(QApplication& app);
