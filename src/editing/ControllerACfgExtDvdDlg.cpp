#include "editing/ControllerACfgExtDvdDlg.h"
