#pragma once
// The class part of each window's WM_CLASS on X11 is the program title, even when that
// title is empty; Qt would put the program file's name there instead. Applies to every
// top-level window made from the first call on (repeated calls change nothing); does
// nothing on other platforms.
void KeepWindowClassAsTitle();
