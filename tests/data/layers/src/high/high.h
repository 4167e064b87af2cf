#pragma once

#include "low/hidden.h"
#include "low/low.h"
