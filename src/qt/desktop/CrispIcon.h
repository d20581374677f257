#pragma once
// An icon drawn from one small picture at every size and scale without smoothing: each
// pixel of the picture becomes a block of whole device pixels, like every other picture
// of the program, instead of the soft blur Qt gives a picture it enlarges.

#include <QIcon>
#include <QImage>

QIcon CrispIcon(const QImage& picture);
