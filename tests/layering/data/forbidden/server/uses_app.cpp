#include "app/shell/frm_main.h"
