#include "editing/ControllerZoneSelectDlg.h"
