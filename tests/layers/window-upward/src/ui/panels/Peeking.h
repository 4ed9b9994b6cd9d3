#pragma once
// A panel that reaches for the main window instead of its host.
#include "ui/window/MainWindow.h"
