#pragma once
#include "core/bad.h"
