#include "server/entities/entity.h"
#include "server/attributes/obj_relation.h"
