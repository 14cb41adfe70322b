#pragma once

class QWidget;

namespace quorvan {

// Tab and Shift+Tab inside root (its focusNextPrevChild): focus moves from the control that has it to the next
// one in reading order that can take it now. Reading order is taken from where the controls stand, whatever
// order they were made in and wherever the current language's layout put them: blocks side by side (group boxes,
// panels) one after the other from left to right, each top to bottom; inside a block, its controls row by row,
// each row left to right. Past the first or last control focus leaves root as the window's order would. False
// when the focus is not on one of root's controls.
bool moveFocusInReadingOrder(QWidget* root, bool next);

} // namespace quorvan
