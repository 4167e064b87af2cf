#pragma once

// The wrong way: low includes the layer above it.
#include "high/high.h"
