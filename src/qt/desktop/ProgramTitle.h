#pragma once
#include <QString>

// The program title: fixed once at start-up from the program file's name, the caption of
// every error box. Kept here rather than read back from QCoreApplication::applicationName,
// which Qt replaces with the file name when it is empty.
void SetProgramTitle(const QString& title);
const QString& ProgramTitle();

// The rule that makes the title from the program file's name: the part after the last path
// separator, cut at its first full stop, every character after the first in lower case.
// "LevelTool.exe" gives "Leveltool", "ABC.Editor.exe" gives "Abc".
QString ProgramTitleFromPath(const QString& programPath);
