#include "editing/ControllerACfgDlg.h"
