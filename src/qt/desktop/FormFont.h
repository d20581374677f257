#pragma once
#include <QFont>

// The font of the program's windows: a sans face 11 pixels high, regular.
QFont FormFont();
