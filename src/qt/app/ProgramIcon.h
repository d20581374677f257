#pragma once
#include <QIcon>
#include <QImage>

// The program icon: 32 x 32, 16 colours, a white-and-silver ball shaded in teal and navy
// on a navy foot, on a grey square with a light frame.
QImage ProgramIconImage();
QIcon ProgramIcon();
