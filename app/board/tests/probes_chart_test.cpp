#include "app/board/tests/board_window_test.h"
