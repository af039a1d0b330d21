#pragma once
// A core header that reaches up to a window: the layer check must refuse it.
#include "ui/window.h"
