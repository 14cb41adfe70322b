#pragma once

#include <vector>

class QWidget;

namespace quorvan {

// root's controls in reading order, whatever order they were made in and wherever the current language's layout
// put them: blocks side by side (group boxes, panels) one after the other from left to right, each top to
// bottom; inside a block, its controls row by row, each row left to right.
std::vector<QWidget*> controlsInReadingOrder(QWidget* root);

// Tab and Shift+Tab inside root (its focusNextPrevChild): focus moves from the control that has it to the next
// one in reading order that can take it now; past the first or last control it leaves root as the window's
// order would. False when the focus is not on one of root's controls.
bool moveFocusInReadingOrder(QWidget* root, bool next);

} // namespace quorvan
