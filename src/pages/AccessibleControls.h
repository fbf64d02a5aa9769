// What makes a page usable without the mouse and through a screen reader: the controls in the
// order their layouts place them, a Tab order that follows it, and a spoken name (and where a
// label alone is ambiguous, a description) for every control that Qt cannot name by itself.
#pragma once

#include <QList>

class QWidget;

// The controls under root that take focus with Tab, in reading order of their layouts: a grid
// row by row, a box layout item by item, into group boxes, plain containers and scroll areas.
QList<QWidget*> ControlsInLayoutOrder(QWidget* root);

// Chains the Tab order of root's controls in layout order.
void SetTabOrderFromLayout(QWidget* root);

// Names every control under root that has no accessible name yet, from the label before it in
// its layout or else the title of its group; a control inside a titled group box without a
// description gets the title as description, so two "activ" boxes can be told apart.
void NameControls(QWidget* root);

// Both of the above; pages call it once they are built and shown.
void MakeAccessible(QWidget* root);
