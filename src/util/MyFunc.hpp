// MyFunc: number text conversion and plane geometry; pure, no state, no I/O.
#pragma once

#include "util/geometry.hpp"
#include "util/number_text.hpp"
#include "util/tolerance.hpp"
