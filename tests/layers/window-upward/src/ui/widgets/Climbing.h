#pragma once
// A widget that knows a panel.
#include "ui/panels/Peeking.h"
