// What a screen reader learns about the piano keyboard widget: its name and, as its value, the
// marked key range in words ("C 1 to G 5").
#pragma once

// Registers the keyboard widget's accessible interface with Qt; safe to call more than once.
void InstallKeyboardAccessible();
