#include "server/catalogue/ktdb.h"
