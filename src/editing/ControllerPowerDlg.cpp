#include "editing/ControllerPowerDlg.h"
