#include "editing/ControllerACfgExtFmDlg.h"
