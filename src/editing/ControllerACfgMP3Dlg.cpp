#include "editing/ControllerACfgMP3Dlg.h"
