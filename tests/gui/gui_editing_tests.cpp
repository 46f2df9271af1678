#include "tests/gui/gui_test_support.h"
