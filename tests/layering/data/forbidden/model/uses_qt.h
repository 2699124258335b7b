#pragma once

#include <QString>
#include "platform/prompt.h"
