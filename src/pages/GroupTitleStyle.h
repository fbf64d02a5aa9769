// A style for the pages' group boxes that remembers where the application's style puts a
// group's title, check box and frame, the picture of each frame and of each title over what
// lies under it, so that repainting a group neither measures nor draws its title nor builds
// its frame again. It draws exactly as the application's style does.
#pragma once

class QWidget;

// Gives every group box inside the widget the remembering style (one object for the program).
void UseGroupTitleStyle(QWidget* parent);
