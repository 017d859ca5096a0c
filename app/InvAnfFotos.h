#pragma once
// Pictures of the program's windows, for looking at them (scripts/screenshots.sh).
//
// Only with the setting WWS_FOTOS naming a folder; otherwise nothing happens.
// WWS_FOTOS_TOUR lists steps separated by commas, each "Fenster:Knopf[:Bild]":
// once the window whose object name is Fenster is the one in front (shown,
// laid out and painted), a picture of it is saved as Bild.png (default
// NN-Fenster.png, NN the step's number) and its button Knopf (object name or
// caption) is pressed, or, without such a button, its menu entry Knopf (a
// QAction's object name) is picked. Knopf "Taste+KEY" (a QKeySequence text such as
// "Taste+End") presses that key in the window instead; "Text+NAME=WERT" puts
// WERT into the window's entry field NAME (or the field inside the control
// NAME, as in a date entry), "Haken+NAME=ZEILE" ticks the line ZEILE of the
// window's list NAME; Bild "-" takes no picture. A window is in front while
// it is the active modal one (or there is none), no other window stands over
// it (a progress window over its owner is in front, its owner then is not)
// and no command of it is running. The program writes each picture's path to
// stdout; a step that does not come within 30 seconds, or names a field or a
// line the window does not have, ends the program with exit code 3.
void InvAnfFotosInstallieren();
