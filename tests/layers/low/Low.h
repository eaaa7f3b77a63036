#pragma once
// Deliberately includes the layer above it: the layer check must refuse this tree.
#include "high/High.h"
