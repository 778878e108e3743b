// Where the program's top-level windows open: on the primary screen, never under the SLM output
// window that stays on top of the SLM screen.
#pragma once

class QWidget;

enum class ScreenPlace {
    TopLeft, // a window: the top-left corner of the screen's available area
    Centre   // a dialog or box: centred in that area
};

// Puts the top-level `window`, before it is shown, on the primary screen. TopLeft moves it at
// once. Centre waits until the window is about to appear, when a dialog has taken the size it
// shows with (a form fits its texts, a message box sizes itself to its text), and centres it
// then, its top-left corner kept inside the area; it holds for that one showing.
void placeOnPrimaryScreen(QWidget* window, ScreenPlace place = ScreenPlace::TopLeft);
