#include "editing/ControllerACfgFmDlg.h"
