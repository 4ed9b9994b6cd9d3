#pragma once
// Employees and assistants.

class TGame;

int CountEmployees(const TGame& game);
int FreeSpace(const TGame& game);
