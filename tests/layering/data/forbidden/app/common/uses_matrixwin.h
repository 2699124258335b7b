#include "app/matrixwin/frm_matrix.h"
