#include "server/attributes/obj_relation.h"
#include "server/entities/entity.h"
