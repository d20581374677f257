#pragma once
// The program's one look, for every window it shows (the message boxes and file dialogs
// too): the classic bevelled Windows controls the layout was drawn for, the style's own
// standard colours and the window font. Buttons of message boxes carry no pictures.
// Start-up applies it before any window exists; widget tests call it as well.

class QStyle;

void ApplyProgramLook();

// The style ApplyProgramLook sets: Qt's "Windows" style without pictures on dialog buttons.
QStyle* NewProgramStyle();
