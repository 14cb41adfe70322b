#include "editing/ControllerACfgExtMp3Dlg.h"
