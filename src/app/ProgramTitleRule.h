#pragma once
#include <QString>

// The program's title, made from the program file's name: the part after the last path
// separator, cut at its first full stop, every character after the first in lower case.
// "LevelTool.exe" gives "Leveltool", "ABC.Editor.exe" gives "Abc".
QString ProgramTitleFromPath(const QString& programPath);
